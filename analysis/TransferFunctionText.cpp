#include "analysis/TransferFunctionText.h"

#include "core/FormatC.h"

namespace {

std::string PolyTerm(double c, int k) {
    if (k >= 2) {
        return FormatC("%+.4f*z^%d ", c, k);
    }
    return k == 1 ? FormatC("%+.4f*z ", c) : FormatC("%+.4f ", c);
}

template <typename Coeff> std::string PolyText(int count, Coeff coeff) {
    std::string text;
    for (int k = count - 1; k >= 0; --k) {
        const double c = coeff(k).r;
        if (c != 0.0) {
            text += PolyTerm(c, k);
        }
    }
    return text;
}

} // namespace

std::string ZeroPolyText(const FDEMaker& de) {
    return PolyText(de.ZeroPolyCnt(), [&de](int k) { return de.GetZeroPolyCoeff(k); });
}

std::string PolePolyText(const FDEMaker& de) {
    return PolyText(de.PolePolyCnt(), [&de](int k) { return de.GetPolePolyCoeff(k); });
}

std::string TransferFunctionFileText(const FDEMaker& de) {
    const std::string numerator = ZeroPolyText(de);
    std::string text = "H(z) = " + numerator + "\n";
    text += "      " + std::string(numerator.size() + 1, '-') + "\n";
    text += "       " + PolePolyText(de) + "\n";
    return text;
}
