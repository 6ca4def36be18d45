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

// The polynomial rows b and a of H in powers of 1/z, 17 digits each, as a text.
std::string TransferFunctionText(const Zpk& zpk) {
    FDEMaker de;
    de.Load(zpk);
    std::string text;
    for (size_t delay = zpk.zeros.size(); delay < zpk.poles.size(); ++delay) {
        text += "0 ";
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
        EXPECT_LT(RootMismatch(Complexes(sections.zpk.poles), Complexes(zpk.poles)), 1e-12);
        EXPECT_LT(RootMismatch(Complexes(sections.zpk.zeros), Complexes(zpk.zeros)), 1e-12);
        EXPECT_DOUBLE_EQ(sections.zpk.gain, zpk.gain);

        ASSERT_TRUE(ReadCoefficientRows(TransferFunctionText(zpk), &rows, &problem));
        const CoefficientImport polynomials = ImportTransferFunction(rows);
        ASSERT_TRUE(polynomials.Ok()) << polynomials.problem.reason;
        EXPECT_LT(RootMismatch(Complexes(polynomials.zpk.poles), Complexes(zpk.poles)), 1e-7);
        EXPECT_LT(RootMismatch(Complexes(polynomials.zpk.zeros), Complexes(zpk.zeros)), 1e-7);
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
    using Roots = std::vector<std::complex<double>>;
    const struct {
        std::vector<double> b, a;
        Roots zeros, poles;
        double gain;
    } rows[] = {{{2}, {1, -0.5}, {0}, {0.5}, 2},
                {{0, 0, 1}, {1, -0.5}, {}, {0, 0.5}, 1},
                {{1, 0.5, 0}, {4}, {-0.5}, {0}, 0.25},
                {{1, 0.5}, {1, 0.25, 0}, {-0.5}, {-0.25}, 1}};
    for (const auto& row : rows) {
        const CoefficientImport imported = ImportTransferFunction({{row.b, 1}, {row.a, 2}});
        ASSERT_TRUE(imported.Ok());
        EXPECT_EQ(RootMismatch(Complexes(imported.zpk.zeros), row.zeros), 0.0);
        EXPECT_EQ(RootMismatch(Complexes(imported.zpk.poles), row.poles), 0.0);
        EXPECT_EQ(imported.zpk.gain, row.gain);
    }
}

} // namespace
