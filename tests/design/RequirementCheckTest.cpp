#include "design/requirement/RequirementCheck.h"

#include "DesignFixtures.h"
#include "design/requirement/MinimumOrder.h"

#include <gtest/gtest.h>

#include <numbers>
#include <tuple>

namespace {

using Design = FStandardDesign;
using Band = Design::Band;

// log|H| from the roots directly, in long double.
class Reference {
public:
    explicit Reference(const FNodeList& list)
        : mZeros(Roots(list, kNodeZero)), mPoles(Roots(list, kNodePole)) {}

    long double LogGain(long double omega) const {
        const std::complex<long double> z = std::polar(1.0L, omega);
        long double log = 0.0L;
        for (const auto& zero : mZeros) {
            log += std::log(std::abs(z - std::complex<long double>(zero)));
        }
        for (const auto& pole : mPoles) {
            log -= std::log(std::abs(z - std::complex<long double>(pole)));
        }
        return log;
    }

    // sign * log|H| at its extreme over [a, b] radians, by brute force: the best points
    // of a fine grid, each looked at again on grids 16 times finer around it, five times.
    long double Extreme(long double a, long double b, int sign) const {
        const int n = 1024;
        std::vector<std::pair<long double, long double>> grid;
        for (int k = 0; k <= n; ++k) {
            const long double w = a + (b - a) * k / n;
            grid.emplace_back(sign * LogGain(w), w);
        }
        std::partial_sort(grid.begin(), grid.begin() + 8, grid.end(), std::greater<>());
        long double result = grid[0].first;
        for (size_t top = 0; top < 8; ++top) {
            auto [best, centre] = grid[top];
            for (long double half = (b - a) / n; half > (b - a) / n / 1e6L; half /= 16) {
                const long double from = centre;
                for (int k = -32; k <= 32; ++k) {
                    const long double w = std::clamp(from + half * k / 32, a, b);
                    const long double value = sign * LogGain(w);
                    if (value > best) {
                        best = value;
                        centre = w;
                    }
                }
            }
            result = std::max(result, best);
        }
        return result;
    }

    // 20 log10 of the largest |H| over the passband, then the worst value of every
    // region of req measured from it, in dB.
    std::vector<double> Worst(const Requirement& req, double rate) const {
        const long double perHz = std::numbers::pi_v<long double> / (rate / 2);
        const long double peak = Peak(req, rate);
        std::vector<double> worst = {
            static_cast<double>(peak * 20 / std::numbers::ln10_v<long double>)};
        for (const Requirement::Region& r : req.Regions(rate)) {
            const int sign = r.stopband ? 1 : -1;
            const long double extreme = sign * Extreme(r.fromHz * perHz, r.toHz * perHz, sign);
            worst.push_back(
                static_cast<double>((peak - extreme) * 20 / std::numbers::ln10_v<long double>));
        }
        return worst;
    }

private:
    long double Peak(const Requirement& req, double rate) const {
        const long double perHz = std::numbers::pi_v<long double> / (rate / 2);
        long double peak = -1e300L;
        for (const Requirement::Region& r : req.Regions(rate)) {
            if (!r.stopband) {
                peak = std::max(peak, Extreme(r.fromHz * perHz, r.toHz * perHz, 1));
            }
        }
        return peak;
    }

    std::vector<std::complex<double>> mZeros;
    std::vector<std::complex<double>> mPoles;
};

Requirement Req(Band band, std::array<double, 2> pass, std::array<double, 2> stop) {
    Requirement req;
    req.band = band;
    req.passband = pass;
    req.stopband = stop;
    return req;
}

// Minimum-order designs of every family and type (equiripple bands, stopbands with
// zeros on the circle), then the same with a pole dragged a little, against the brute
// force: every worst value agrees to 1e-6 dB.
TEST(RequirementCheckTest, WorstValuesAgreeWithABruteForceSearch) {
    const Requirement reqs[] = {Req(Band::Lowpass, {1000, 0}, {1200, 0}),
                                Req(Band::Highpass, {3000, 0}, {2800, 0}),
                                Req(Band::Bandpass, {1000, 2000}, {800, 2300}),
                                Req(Band::Bandstop, {500, 3000}, {1000, 2000})};
    std::mt19937 rng(5);
    std::normal_distribution<double> nudge(0.0, 0.01);
    for (const Requirement& req : reqs) {
        for (const Design::Family family :
             {Design::Family::Butterworth, Design::Family::Chebyshev,
              Design::Family::InverseChebyshev, Design::Family::Elliptic}) {
            const Design d = *MinimumOrderDesign(family, req, 8000);
            Zpk zpk;
            ASSERT_EQ(d.Design(&zpk), Design::Problem::None);
            for (int dragged = 0; dragged < 2; ++dragged) {
                FNodeList list;
                zpk.AddToNodeList(&list);
                if (dragged != 0) {
                    const FComplex p = list.GetNodeByIndex(kNodePole, 0).Value();
                    list.ReplaceNodeValue(kNodePole, 0,
                                          FComplex(p.r + nudge(rng), p.i + nudge(rng)));
                }
                Zpk edited = Zpk::FromNodeList(list);
                edited.gain = zpk.gain;
                const RequirementResult result = CheckRequirement(edited, req, 8000);
                const std::vector<double> worst = Reference(list).Worst(req, 8000);
                EXPECT_NEAR(result.peakDb, worst[0] + 20 * std::log10(std::fabs(zpk.gain)), 1e-6);
                ASSERT_EQ(result.regions.size() + 1, worst.size());
                for (size_t k = 0; k < result.regions.size(); ++k) {
                    EXPECT_NEAR(result.regions[k].worstDb, worst[k + 1], 1e-6)
                        << int(req.band) << " " << int(family) << " " << dragged << " " << k;
                }
            }
        }
    }
}

// A requirement a design just meets or just misses by 0.01 dB in either band, and roots
// on the circle, which no finite gain tells.
TEST(RequirementCheckTest, VerdictsAtTheEdgeAndForRootsOnTheCircle) {
    Requirement req = Req(Band::Lowpass, {1000, 0}, {1500, 0});
    const Design d = *MinimumOrderDesign(Design::Family::Elliptic, req, 8000);
    Zpk zpk;
    ASSERT_EQ(d.Design(&zpk), Design::Problem::None);
    FNodeList list;
    zpk.AddToNodeList(&list);
    const std::vector<double> worst = Reference(list).Worst(req, 8000);
    const double loss = worst[1];
    const double attenuation = worst[2];
    const struct {
        double rippleDb, attenuationDb;
        const char* verdict;
    } rows[] = {{loss + 0.01, attenuation - 0.01, "Meets specification"},
                {loss - 0.01, attenuation - 0.01, "Passband short by 0.01 dB"},
                {loss + 0.01, attenuation + 0.01, "Stopband short by 0.01 dB"},
                {loss - 0.01, attenuation + 0.02, "Stopband short by 0.02 dB"}};
    for (const auto& row : rows) {
        req.rippleDb = row.rippleDb;
        req.attenuationDb = row.attenuationDb;
        EXPECT_EQ(CheckRequirement(zpk, req, 8000).Verdict(), row.verdict);
    }
    // A resonance 1e-7 from the circle in the passband, far narrower than an even grid.
    const double angle = 0.3;
    const FNodeList sharp =
        ::Design({PoleAt((1 - 1e-7) * std::cos(angle), (1 - 1e-7) * std::sin(angle), true)});
    const Reference reference(sharp);
    const long double sharpLoss = reference.Extreme(angle - 1e-5, angle + 1e-5, 1) +
                                  reference.Extreme(0, std::numbers::pi / 4, -1);
    EXPECT_NEAR(CheckRequirement(Zpk::FromNodeList(sharp), req, 8000).regions[0].worstDb,
                static_cast<double>(sharpLoss * 20 / std::numbers::ln10_v<long double>), 1e-6);
    // A pole on the circle in the passband, a zero on it there, a pole in the stopband.
    req.rippleDb = 1;
    req.attenuationDb = 40;
    const std::tuple<Zpk, size_t, double> onCircle[] = {
        {Zpk{{}, {FComplex(1, 0)}, 1}, 0, HUGE_VAL},
        {Zpk{{FComplex(1, 0)}, {}, 1}, 0, HUGE_VAL},
        {Zpk{{}, {FComplex(-1, 0)}, 1}, 1, -HUGE_VAL},
    };
    for (const auto& [roots, region, db] : onCircle) {
        const RequirementResult result = CheckRequirement(roots, req, 8000);
        EXPECT_EQ(result.regions[region].worstDb, db);
        EXPECT_FALSE(result.Holds());
    }
}

} // namespace
