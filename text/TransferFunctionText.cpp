#include "text/TransferFunctionText.h"

#include "core/FormatC.h"

#include <cmath>

namespace {

// A signed coefficient as the file writes it, and as the dialog shows it.
std::string FileNumber(double c) {
    return FormatC("%+.4f", c);
}

std::string ScreenNumber(double c) {
    return (std::signbit(c) ? "" : "+") + FourDecimals(c);
}

std::string PowerOfZ(int k) {
    return k >= 2 ? FormatC("*z^%d ", k) : k == 1 ? "*z " : " ";
}

template <typename Coeff>
std::string PolyText(int count, Coeff coeff, std::string (*number)(double)) {
    std::string text;
    for (int k = count - 1; k >= 0; --k) {
        const double c = coeff(k).r;
        if (c != 0.0) {
            text += number(c) + PowerOfZ(k);
        }
    }
    return text;
}

std::string ZeroPoly(const FDEMaker& de, std::string (*number)(double)) {
    return PolyText(
        de.ZeroPolyCnt(), [&de](int k) { return de.GetZeroPolyCoeff(k); }, number);
}

std::string PolePoly(const FDEMaker& de, std::string (*number)(double)) {
    return PolyText(
        de.PolePolyCnt(), [&de](int k) { return de.GetPolePolyCoeff(k); }, number);
}

} // namespace

std::string ZeroPolyText(const FDEMaker& de) {
    return ZeroPoly(de, ScreenNumber);
}

std::string PolePolyText(const FDEMaker& de) {
    return PolePoly(de, ScreenNumber);
}

std::string TransferFunctionFileText(const FDEMaker& de) {
    const std::string numerator = ZeroPoly(de, FileNumber);
    std::string text = "H(z) = " + numerator + "\n";
    text += "      " + std::string(numerator.size() + 1, '-') + "\n";
    text += "       " + PolePoly(de, FileNumber) + "\n";
    return text;
}
