#include "arith/QuantizedCascade.h"

#include "filter/PeakScaling.h"
#include "text/SectionText.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// The five coefficients a section of the fixed-point layout multiplies by.
std::array<double, 5> FixedPointCoefficients(const FBiquad& s) {
    return {s.b[0].r, s.b[1].r, s.b[2].r, -s.a[1].r, -s.a[2].r};
}

// The smallest post-shift that keeps every rounded coefficient within the W-bit range;
// none when even W - 1 does not.
std::optional<int> PostShift(const std::vector<FBiquad>& sections, int w) {
    const double lowest = -std::ldexp(1.0, w - 1);
    const double highest = std::ldexp(1.0, w - 1) - 1.0;
    for (int s = 0; s < w; ++s) {
        const bool fits = std::all_of(sections.begin(), sections.end(), [=](const FBiquad& q) {
            const std::array<double, 5> c = FixedPointCoefficients(q);
            return std::all_of(c.begin(), c.end(), [=](double v) {
                const double stored = std::round(std::ldexp(v, w - 1 - s));
                return stored >= lowest && stored <= highest;
            });
        });
        if (fits) {
            return s;
        }
    }
    return std::nullopt;
}

bool StoreFixedPoint(QuantizedCascade* q, int w) {
    const std::optional<int> shift = PostShift(q->stored.sections, w);
    if (!shift) {
        return false;
    }
    q->postShift = *shift;
    const int fraction = w - 1 - *shift;
    for (FBiquad& s : q->stored.sections) {
        std::array<std::int32_t, 5>& words = q->integers.emplace_back();
        const std::array<double, 5> c = FixedPointCoefficients(s);
        for (size_t k = 0; k < 5; ++k) {
            words[k] = static_cast<std::int32_t>(std::round(std::ldexp(c[k], fraction)));
        }
        s.b = {FComplex(std::ldexp(words[0], -fraction), 0.0),
               FComplex(std::ldexp(words[1], -fraction), 0.0),
               FComplex(std::ldexp(words[2], -fraction), 0.0)};
        s.a = {FComplex(1.0, 0.0), FComplex(-std::ldexp(words[3], -fraction), 0.0),
               FComplex(-std::ldexp(words[4], -fraction), 0.0)};
    }
    return true;
}

bool StoreFloat(QuantizedCascade* q) {
    for (FBiquad& s : q->stored.sections) {
        for (auto* coefficients : {&s.b, &s.a}) {
            for (FComplex& c : *coefficients) {
                c.r = static_cast<float>(c.r);
                if (!std::isfinite(c.r)) {
                    return false;
                }
            }
        }
    }
    return true;
}

// The gain that takes the peak scaling back out of the stored sections: each section's
// first numerator coefficient over the share it was scaled by, a factor near 1 unless
// quantizing moved it, so that the product stays in range however small the shares.
double ScaledBackGain(const SosCascade& stored, const std::vector<double>& shares,
                      double designGain) {
    double gain = designGain;
    for (size_t k = 0; k < shares.size(); ++k) {
        const std::array<FComplex, 3>& b = stored.sections[k].b;
        const auto lead =
            std::find_if(b.begin(), b.end(), [](FComplex c) { return c.r != 0.0 || c.i != 0.0; });
        gain *= lead == b.end() ? 0.0 : lead->r / shares[k];
    }
    return gain;
}

} // namespace

QuantizedCascade Quantize(const Zpk& zpk, Arithmetic arithmetic) {
    QuantizedCascade q;
    q.arithmetic = arithmetic;
    const std::optional<SosCascade> plain = SosCascade::FromZpk(zpk);
    if (!plain) {
        q.problem = QuantizeProblem::NonCausal;
        return q;
    }
    if (arithmetic != Arithmetic::F64 && !plain->IsReal()) {
        q.problem = QuantizeProblem::Unpaired;
        return q;
    }
    const PeakScaledCascade scaled = PeakScaled(zpk);
    if (scaled.problem != PeakProblem::None) {
        q.problem = QuantizeProblem::PeakNotFinite;
        return q;
    }
    q.stored = scaled.cascade;
    const bool stored = arithmetic == Arithmetic::F64 ? true
                        : arithmetic == Arithmetic::F32
                            ? StoreFloat(&q)
                            : StoreFixedPoint(&q, WordLength(arithmetic));
    if (!stored) {
        QuantizedCascade refused;
        refused.arithmetic = arithmetic;
        refused.problem = QuantizeProblem::OutOfRange;
        return refused;
    }
    q.roots = q.stored.ToZpk();
    q.roots.gain = ScaledBackGain(q.stored, scaled.shares, zpk.gain);
    return q;
}

std::string QuantizeProblemText(QuantizeProblem problem, Arithmetic arithmetic) {
    switch (problem) {
    case QuantizeProblem::None:
        break;
    case QuantizeProblem::NonCausal:
        return kNonCausalSectionsText;
    case QuantizeProblem::Unpaired:
        return kUnpairedSectionsText;
    case QuantizeProblem::PeakNotFinite:
        return "the design's peak gain is 0 or not finite";
    case QuantizeProblem::OutOfRange:
        return "a coefficient of the peak-scaled sections is beyond the range of " +
               ArithmeticName(arithmetic);
    }
    return {};
}
