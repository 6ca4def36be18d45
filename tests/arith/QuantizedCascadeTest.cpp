#include "arith/QuantizedCascade.h"

#include "DesignFixtures.h"
#include "filter/PeakScaling.h"

#include <gtest/gtest.h>

namespace {

using LongComplex = std::complex<long double>;

std::vector<Zpk> RealDesigns() {
    std::vector<Zpk> designs;
    for (const FNodeList& list : HardDesigns()) {
        if (SosCascade::FromZpk(Zpk::FromNodeList(list))->IsReal()) {
            designs.push_back(Zpk::FromNodeList(list));
        }
    }
    designs.push_back(
        StandardDesign(FStandardDesign::Family::Elliptic, FStandardDesign::Band::Bandpass, 4));
    return designs;
}

LongComplex SectionAt(const FBiquad& s, double w) {
    const LongComplex z1 = std::polar(1.0L, static_cast<long double>(-w));
    const auto poly = [&z1](const std::array<FComplex, 3>& c) {
        return (LongComplex(c[2].r) * z1 + LongComplex(c[1].r)) * z1 + LongComplex(c[0].r);
    };
    return poly(s.b) / poly(s.a);
}

// Each coefficient is the peak-scaled one as the arithmetic stores it, the post-shift
// the smallest that fits, and the roots with their gain make the stored sections'
// response with the scaling taken back out.
TEST(QuantizedCascadeTest, CoefficientsAsEachArithmeticStoresThem) {
    for (const Zpk& zpk : RealDesigns()) {
        const PeakScaledCascade scaled = PeakScaled(zpk);
        const double peak = TruePeakGain(zpk);
        for (Arithmetic arithmetic :
             {Arithmetic::F64, Arithmetic::F32, Arithmetic::Q15, Arithmetic::Q31}) {
            SCOPED_TRACE(::testing::Message()
                         << zpk.poles.size() << " poles, " << ArithmeticName(arithmetic));
            const QuantizedCascade q = Quantize(zpk, arithmetic);
            ASSERT_EQ(q.problem, QuantizeProblem::None);
            ASSERT_EQ(q.stored.sections.size(), scaled.cascade.sections.size());
            const int w = WordLength(arithmetic);
            const double step = std::ldexp(1.0, q.postShift + 1 - w);
            // Within the W-bit range: |v + 1/2| <= 2^(W-1) - 1/2.
            const auto fits = [w](double v) {
                return std::abs(v + 0.5) <= std::ldexp(1.0, w - 1) - 0.5;
            };
            const auto five = [](const FBiquad& s) {
                return std::array<double, 5>{s.b[0].r, s.b[1].r, s.b[2].r, -s.a[1].r, -s.a[2].r};
            };
            bool smallerShiftFits = true;
            for (size_t k = 0; k < q.stored.sections.size(); ++k) {
                const std::array<double, 5> want = five(scaled.cascade.sections[k]);
                const std::array<double, 5> got = five(q.stored.sections[k]);
                EXPECT_EQ(q.stored.sections[k].a[0].r, 1.0);
                for (size_t j = 0; j < 5; ++j) {
                    if (arithmetic == Arithmetic::F64) {
                        EXPECT_EQ(got[j], want[j]);
                    } else if (arithmetic == Arithmetic::F32) {
                        EXPECT_EQ(got[j], static_cast<float>(want[j]));
                    } else {
                        const long long word = q.integers[k][j];
                        EXPECT_EQ(got[j], word * step);
                        EXPECT_LE(std::abs(got[j] - want[j]), step / 2);
                        EXPECT_TRUE(fits(static_cast<double>(word)));
                        smallerShiftFits = smallerShiftFits && fits(std::round(want[j] / step * 2));
                    }
                }
            }
            if (w > 0 && q.postShift > 0) {
                EXPECT_FALSE(smallerShiftFits) << "post-shift " << q.postShift;
            }
            for (double omega : {0.05, 0.5, 1.3, 2.2, 3.1}) {
                LongComplex want = zpk.gain;
                for (size_t k = 0; k < q.stored.sections.size(); ++k) {
                    want *= SectionAt(q.stored.sections[k], omega) /
                            static_cast<long double>(scaled.shares[k]);
                }
                const FComplex got = q.roots.OnCircle(omega);
                EXPECT_NEAR(got.r, static_cast<double>(want.real()), 1e-9 * peak) << omega;
                EXPECT_NEAR(got.i, static_cast<double>(want.imag()), 1e-9 * peak) << omega;
                if (arithmetic == Arithmetic::F64) {
                    EXPECT_NEAR(got.r, zpk.OnCircle(omega).r, 1e-9 * peak) << omega;
                }
            }
        }
    }
}

TEST(QuantizedCascadeTest, RefusalsAsQenSosWordsThem) {
    const struct {
        FNodeList design;
        Arithmetic arithmetic;
        QuantizeProblem problem;
    } rows[] = {
        {Design({ZeroAt(0.5, 0)}), Arithmetic::F64, QuantizeProblem::NonCausal},
        {Design({PoleAt(0.5, 0.5)}), Arithmetic::Q15, QuantizeProblem::Unpaired},
        {Design({PoleAt(0.5, 0.5)}), Arithmetic::F64, QuantizeProblem::None},
        {Design({PoleAt(0, 1, true)}), Arithmetic::Q31, QuantizeProblem::PeakNotFinite},
        {Design({PoleAt(1.5, 0)}), Arithmetic::Q15, QuantizeProblem::None},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Quantize(Zpk::FromNodeList(row.design), row.arithmetic).problem, row.problem);
    }
    EXPECT_EQ(QuantizeProblemText(QuantizeProblem::Unpaired, Arithmetic::Q15),
              "Can't show real second-order sections: a complex root has no conjugate");
}

} // namespace
