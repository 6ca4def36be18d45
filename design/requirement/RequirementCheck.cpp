#include "design/requirement/RequirementCheck.h"

#include "core/FormatC.h"
#include "filter/ExtremumSearch.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

namespace {

// Grid steps over 0 to pi, of which a region gets its share, and around a root near the
// circle points every half its distance from the circle, 12 either side: as dense as
// the check needs, sparse enough to follow a drag.
constexpr GridDensity kDensity{1024, 12, 0.5};
// How many of a region's largest and smallest grid values are refined.
constexpr size_t kRefined = 4;
// Golden-section steps: they shrink a bracket by 1e-6, which leaves the extreme value
// exact to 1e-11 of itself.
constexpr int kRefineSteps = 29;

constexpr double kDbPerNeper = 20.0 / std::numbers::ln10;

using Point = CurvePoint<double>;

// log|H(e^jw)| from the roots' squared distances to the point of the circle: no
// complex division, the few thousand evaluations of a check stay within a drag step.
// Exactly on a root the distance is 0; a zero and a pole on one point cancel, as H's
// factors do.
class LogGain {
public:
    explicit LogGain(const Zpk& zpk) : mZeros(zpk.zeros), mPoles(zpk.poles) {}

    double operator()(double omega) const {
        double c = 0.0;
        double s = 0.0;
        // The points where the circle crosses the axes are taken exactly, so that a root
        // on them is met there.
        if (omega == 0.0) {
            c = 1.0;
        } else if (omega == kPi) {
            c = -1.0;
        } else if (omega == kHalfPi) {
            s = 1.0;
        } else {
            c = std::cos(omega);
            s = std::sin(omega);
        }
        int zerosMet = 0;
        int polesMet = 0;
        const Scaled zeros = Product(mZeros, c, s, &zerosMet);
        const Scaled poles = Product(mPoles, c, s, &polesMet);
        if (zerosMet != polesMet) {
            return zerosMet > polesMet ? -HUGE_VAL : HUGE_VAL;
        }
        return 0.5 * (std::log(zeros.value / poles.value) +
                      static_cast<double>(zeros.exponent - poles.exponent) * std::numbers::ln2);
    }

private:
    // value * 2^exponent.
    struct Scaled {
        double value = 1.0;
        long exponent = 0;
    };

    // The product of the squared distances from (c, s) to the roots that are not on it;
    // *met counts those that are.
    static Scaled Product(const std::vector<FComplex>& roots, double c, double s, int* met) {
        Scaled p;
        for (const FComplex& r : roots) {
            const double dr = c - r.r;
            const double di = s - r.i;
            double d = dr * dr + di * di;
            if (!(d < 0x1p1000)) {
                // A root far out (1e300 in a file) would overflow the square.
                int e = 0;
                std::frexp(std::max(std::fabs(dr), std::fabs(di)), &e);
                const double sr = std::ldexp(dr, -e);
                const double si = std::ldexp(di, -e);
                d = sr * sr + si * si;
                p.exponent += 2L * e;
            }
            if (d == 0.0) {
                ++*met;
                continue;
            }
            p.value *= d;
            // Powers of two go to the exponent before the product leaves the range of a
            // double, which 40 roots 1e-10 from the point would.
            if (p.value > 0x1p400 || p.value < 0x1p-400) {
                int e = 0;
                p.value = std::frexp(p.value, &e);
                p.exponent += e;
            }
        }
        return p;
    }

    const std::vector<FComplex>& mZeros;
    const std::vector<FComplex>& mPoles;
};

struct RegionExtremes {
    Point lowest;
    Point highest;
};

RegionExtremes Extremes(const Zpk& zpk, const LogGain& logGain, double from, double to,
                        bool stopband) {
    const std::vector<double> grid = RootGrid(zpk, from, to, kDensity);
    std::vector<double> gain(grid.size());
    for (size_t k = 0; k < grid.size(); ++k) {
        gain[k] = logGain(grid[k]);
    }
    RegionExtremes e;
    e.highest = BestOnGrid(logGain, grid, gain, std::greater<double>(), kRefined, kRefineSteps);
    // A stopband's lowest value does not matter.
    e.lowest = stopband
                   ? e.highest
                   : BestOnGrid(logGain, grid, gain, std::less<double>(), kRefined, kRefineSteps);
    return e;
}

} // namespace

bool RequirementResult::Holds() const {
    return std::all_of(regions.begin(), regions.end(),
                       [](const RegionResult& r) { return r.Holds(); });
}

std::string RequirementResult::Verdict() const {
    const RegionResult* worst = nullptr;
    for (const RegionResult& r : regions) {
        // NaN margins (a pole on the circle in both bands) count as the worst.
        if (!r.Holds() && (worst == nullptr || !(r.marginDb >= worst->marginDb))) {
            worst = &r;
        }
    }
    if (worst == nullptr) {
        return "Meets specification";
    }
    return FormatC("%s short by %.3g dB", worst->region.stopband ? "Stopband" : "Passband",
                   -worst->marginDb);
}

RequirementResult CheckRequirement(const Zpk& zpk, const Requirement& req, double rate) {
    const std::vector<Requirement::Region> regions = req.Regions(rate);
    const double radiansPerHz = kPi / (rate / 2.0);
    const LogGain logGain(zpk);
    std::vector<RegionExtremes> extremes;
    double peak = -HUGE_VAL;
    for (const Requirement::Region& r : regions) {
        extremes.push_back(
            Extremes(zpk, logGain, r.fromHz * radiansPerHz, r.toHz * radiansPerHz, r.stopband));
        if (!r.stopband) {
            peak = std::max(peak, extremes.back().highest.value);
        }
    }
    RequirementResult result;
    result.peakDb = (peak + std::log(std::fabs(zpk.gain))) * kDbPerNeper;
    for (size_t k = 0; k < regions.size(); ++k) {
        const Requirement::Region& r = regions[k];
        const Point worst = r.stopband ? extremes[k].highest : extremes[k].lowest;
        // A pole on the circle in a passband and one in a stopband leave inf - inf: NaN,
        // which Holds() counts as missed.
        const double db = (peak - worst.value) * kDbPerNeper;
        result.regions.push_back(
            {r, db, worst.omega / radiansPerHz, r.stopband ? db - r.limitDb : r.limitDb - db});
    }
    return result;
}
