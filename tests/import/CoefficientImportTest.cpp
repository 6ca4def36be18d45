#include "import/CoefficientImport.h"

#include "DesignFixtures.h"
#include "core/FormatC.h"
#include "filter/FDEMaker.h"
#include "text/SectionText.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Conjugate pairs and real roots, up to 20 of either type, causal.
Zpk RealDesign(std::mt19937& rng) {
    std::uniform_real_distribution<double> radius(0.1, 0.97);
    std::uniform_real_distribution<double> angle(0.1, 3.0);
    std::uniform_int_distribution<int> count(1, 20);
    Zpk zpk;
    const int poles = count(rng);
    const int zeros = std::uniform_int_distribution<int>(0, poles)(rng);
    for (auto [roots, n, scale] :
         {std::tuple(&zpk.poles, poles, 1.0), std::tuple(&zpk.zeros, zeros, 1.4)}) {
        while (static_cast<int>(roots->size()) < n) {
            FComplex r;
            r.SetByRadian(scale * radius(rng), angle(rng));
            if (static_cast<int>(roots->size()) + 2 <= n && angle(rng) < 2.0) {
                roots->insert(roots->end(), {r, r.Conj()});
            } else {
                roots->emplace_back(scale * (radius(rng) - 0.5), 0.0);
            }
        }
    }
    return zpk;
}

// The largest distance of a root of want from the nearest unmatched root of got,
// relative to 1 + its size; infinite when the counts differ.
double Mismatch(std::vector<FComplex> got, const std::vector<FComplex>& want) {
    if (got.size() != want.size()) {
        return INFINITY;
    }
    double worst = 0.0;
    for (const FComplex& w : want) {
        const auto nearest = std::min_element(got.begin(), got.end(), [&w](FComplex a, FComplex b) {
            return a.MagDifference(w) < b.MagDifference(w);
        });
        worst = std::max(worst, nearest->MagDifference(w) / (1.0 + w.Mag()));
        got.erase(nearest);
    }
    return worst;
}

// The polynomial rows b and a of H in powers of 1/z, 17 digits each, as a text.
std::string TransferFunctionText(const Zpk& zpk) {
    FDEMaker de;
    de.Load(zpk);
    std::string text(2 * (zpk.poles.size() - zpk.zeros.size()), ' ');
    for (size_t k = 0; k < zpk.poles.size() - zpk.zeros.size(); ++k) {
        text[2 * k] = '0';
    }
    for (int k = de.ZeroPolyCnt() - 1; k >= 0; --k) {
        text += FormatC(" %.17g", de.GetZeroPolyCoeff(k).r);
    }
    text += "\n";
    for (int k = de.PolePolyCnt() - 1; k >= 0; --k) {
        text += FormatC("%.17g, ", de.GetPolePolyCoeff(k).r);
    }
    return text + "\n";
}

// Designs written as sections (qen sos) and as b/a polynomials, read back: the same
// roots, and the same response up to the gain, which the sections fold in.
TEST(CoefficientImportTest, DesignsRoundTripThroughSectionsAndPolynomials) {
    std::mt19937 rng(42);
    for (int trial = 0; trial < 40; ++trial) {
        Zpk zpk = RealDesign(rng);
        zpk.gain = 0.25;
        SCOPED_TRACE(::testing::Message() << trial << ": " << zpk.poles.size() << " poles, "
                                          << zpk.zeros.size() << " zeros");
        std::vector<CoefficientRow> rows;
        ImportProblem problem;
        ASSERT_TRUE(ReadCoefficientRows(SectionsText(*SosCascade::FromZpk(zpk)), &rows, &problem));
        const CoefficientImport sections = ImportSections(rows);
        ASSERT_TRUE(sections.Ok()) << sections.problem.reason;
        EXPECT_LT(Mismatch(sections.zpk.poles, zpk.poles), 1e-12);
        EXPECT_LT(Mismatch(sections.zpk.zeros, zpk.zeros), 1e-12);
        EXPECT_DOUBLE_EQ(sections.zpk.gain, zpk.gain);

        ASSERT_TRUE(ReadCoefficientRows(TransferFunctionText(zpk), &rows, &problem));
        const CoefficientImport polynomials = ImportTransferFunction(rows);
        ASSERT_TRUE(polynomials.Ok()) << polynomials.problem.reason;
        EXPECT_LT(Mismatch(polynomials.zpk.poles, zpk.poles), 1e-7);
        EXPECT_LT(Mismatch(polynomials.zpk.zeros, zpk.zeros), 1e-7);
        for (double w : {0.3, 1.1, 2.5}) {
            const FComplex want = zpk.OnCircle(w);
            const FComplex got = polynomials.zpk.OnCircle(w);
            EXPECT_NEAR(got.r * zpk.gain, want.r, 1e-6 * (1 + want.Mag())) << w;
            EXPECT_NEAR(got.i * zpk.gain, want.i, 1e-6 * (1 + want.Mag())) << w;
        }
    }
}

// Differing lengths keep the delays as roots at the origin; those on both sides cancel.
TEST(CoefficientImportTest, LengthsDifferByRootsAtTheOrigin) {
    const struct {
        std::vector<double> b, a;
        size_t originZeros, originPoles;
        double gain;
    } rows[] = {{{2}, {1, -0.5}, 1, 0, 2},
                {{0, 0, 1}, {1, -0.5}, 0, 1, 1},
                {{1, 0.5, 0}, {4}, 0, 1, 0.25},
                {{1, 0.5}, {1, 0.25, 0}, 0, 0, 1}};
    for (const auto& row : rows) {
        const CoefficientImport imported = ImportTransferFunction({{row.b, 1}, {row.a, 2}});
        ASSERT_TRUE(imported.Ok());
        const auto atOrigin = [](const std::vector<FComplex>& roots) {
            return static_cast<size_t>(std::count_if(roots.begin(), roots.end(),
                                                     [](FComplex r) { return r.Mag() == 0.0; }));
        };
        EXPECT_EQ(atOrigin(imported.zpk.zeros), row.originZeros);
        EXPECT_EQ(atOrigin(imported.zpk.poles), row.originPoles);
        EXPECT_EQ(imported.zpk.gain, row.gain);
        // H(e^jw) of the polynomials themselves.
        const std::complex<double> z1 = std::polar(1.0, -0.7);
        std::complex<double> b = 0, a = 0;
        for (size_t k = row.b.size(); k-- > 0;)
            b = b * z1 + row.b[k];
        for (size_t k = row.a.size(); k-- > 0;)
            a = a * z1 + row.a[k];
        const FComplex h = imported.zpk.OnCircle(0.7);
        EXPECT_NEAR(h.r, (b / a).real(), 1e-12);
        EXPECT_NEAR(h.i, (b / a).imag(), 1e-12);
    }
}

} // namespace
