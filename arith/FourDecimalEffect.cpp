#include "arith/FourDecimalEffect.h"

#include "core/FormatC.h"
#include "filter/FDEMaker.h"
#include "filter/PolynomialRoots.h"
#include "filter/Stability.h"

#include <algorithm>
#include <charconv>
#include <complex>

namespace {

constexpr double kMaxPoleMove = 1e-3;

// The value "%.4f" shows, read back.
double Shown(double value) {
    const std::string text = FormatC("%.4f", value);
    double shown = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), shown);
    return shown;
}

// The largest distance of a design pole from the nearest rounded pole not matched
// before it.
double LargestMove(const std::vector<FComplex>& design, std::vector<FComplex> rounded) {
    double largest = 0.0;
    for (const FComplex& p : design) {
        if (rounded.empty()) {
            return HUGE_VAL;
        }
        const auto nearest = std::min_element(rounded.begin(), rounded.end(),
                                              [&p](const FComplex& a, const FComplex& b) {
                                                  return a.MagDifference(p) < b.MagDifference(p);
                                              });
        largest = std::max(largest, nearest->MagDifference(p));
        rounded.erase(nearest);
    }
    return largest;
}

} // namespace

FourDecimalEffect RoundedToFourDecimals(const Zpk& zpk) {
    FDEMaker de;
    de.Load(zpk);
    // Highest power first, as the root finder takes it.
    std::vector<double> poly;
    for (int k = de.PolePolyCnt() - 1; k >= 0; --k) {
        poly.push_back(Shown(de.GetPolePolyCoeff(k).r));
    }
    Zpk rounded;
    for (const std::complex<double>& root : RealPolynomialRoots(poly)) {
        rounded.poles.emplace_back(root.real(), root.imag());
    }
    FourDecimalEffect effect;
    effect.largestPoleRadius = LargestPoleRadius(rounded);
    effect.differs = LargestMove(zpk.poles, rounded.poles) > kMaxPoleMove ||
                     (IsStable(zpk) && !IsStable(rounded));
    return effect;
}

std::string FourDecimalWarning(const Zpk& zpk) {
    const FourDecimalEffect effect = RoundedToFourDecimals(zpk);
    if (!effect.differs) {
        return {};
    }
    return FormatC("Rounded to four decimals these coefficients make a different filter "
                   "(largest pole radius %.4f). Use Second-Order Sections to implement it.",
                   effect.largestPoleRadius);
}
