#include "response/PointsText.h"
#include "text/DifferenceEquationText.h"
#include "text/NodeValueText.h"
#include "text/TransferFunctionText.h"

#include "DesignFixtures.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

FInputResponse Evaluator(const FNodeList& list) {
    FInputResponse response;
    EXPECT_TRUE(response.Initialize(Zpk::FromNodeList(list)));
    return response;
}

FDEMaker Polynomials(const FNodeList& list) {
    FDEMaker de;
    de.Load(Zpk::FromNodeList(list));
    return de;
}

// The one-line form and the file's form with its line breaks. D = z^2 - z + 0.5 and
// N = z + 0.25 give X = [0, 1, 0.25] and Y = [0, 1, -0.5].
TEST(DifferenceEquationTextTest, LineAndFileForms) {
    struct Case {
        FNodeList design;
        const char* line;
        const char* file;
    };
    const Case cases[] = {
        {Design({PoleAt(0.5, 0)}), "y[n] = +0.0000*x[n] +1.0000*x[n-1] +0.5000*y[n-1] ",
         "y[n] = +0.0000*x[n] \n\t+1.0000*x[n-1] \n\t+0.5000*y[n-1] "},
        {FNodeList(), "y[n] = +1.0000*x[n] ", "y[n] = +1.0000*x[n] \n\t\n\t"},
        {Design({PoleAt(0.5, 0.5, true), ZeroAt(-0.25, 0)}),
         "y[n] = +0.0000*x[n] +1.0000*x[n-1] +0.2500*x[n-2] +1.0000*y[n-1] +-0.5000*y[n-2] ",
         "y[n] = +0.0000*x[n] \n\t+1.0000*x[n-1] +0.2500*x[n-2] \n\t\n\t"
         "+1.0000*y[n-1] -0.5000*y[n-2] \n\t"},
        // A coefficient four decimals would show as 0: scientific on screen only.
        {Design({PoleAt(-2e-5, 0)}), "y[n] = +0.0000*x[n] +1.0000*x[n-1] +-2.0000e-05*y[n-1] ",
         "y[n] = +0.0000*x[n] \n\t+1.0000*x[n-1] \n\t-0.0000*y[n-1] "},
    };
    for (const Case& c : cases) {
        const FInputResponse response = Evaluator(c.design);
        EXPECT_EQ(DifferenceEquationLine(response), c.line);
        EXPECT_EQ(DifferenceEquationFileText(response), c.file);
    }
}

TEST(DifferenceEquationTextTest, CommaLocaleStillWritesPoints) {
    CommaLocale comma;
    if (!comma.Active()) {
        GTEST_SKIP() << "no comma-decimal locale installed";
    }
    EXPECT_EQ(DifferenceEquationLine(Evaluator(Design({PoleAt(0.5, 0)}))),
              "y[n] = +0.0000*x[n] +1.0000*x[n-1] +0.5000*y[n-1] ");
    EXPECT_EQ(PointsText({FComplex(0.5, -0.25)}),
              "+0.50000000000000000000-0.25000000000000000000j\n");
    EXPECT_EQ(NodeValueText(FComplex(0.5, -0.25), kUnitsCartesian), "0.5000 -0.2500j");
}

TEST(TransferFunctionTextTest, PolynomialsAndFile) {
    struct Case {
        FNodeList design;
        const char* numerator;
        const char* denominator;
    };
    const Case cases[] = {
        {Design({PoleAt(0.5, 0)}), "+1.0000 ", "+1.0000*z -0.5000 "},
        // The order field adds no roots.
        {Design({FNode(kNodePole, FComplex(0.5, 0.5), true, 3)}), "+1.0000 ",
         "+1.0000*z^2 -1.0000*z +0.5000 "},
        {Design({ZeroAt(0, 1, true)}), "+1.0000*z^2 +1.0000 ", "+1.0000 "},
        {Design({ZeroAt(0, 1)}), "+1.0000*z ", "+1.0000 "},
        {FNodeList(), "+1.0000 ", "+1.0000 "},
        {Design({ZeroAt(3e-5, 0), PoleAt(-1e-6, 0)}), "+1.0000*z -3.0000e-05 ",
         "+1.0000*z +1.0000e-06 "},
    };
    for (const Case& c : cases) {
        const FDEMaker de = Polynomials(c.design);
        EXPECT_EQ(ZeroPolyText(de), c.numerator);
        EXPECT_EQ(PolePolyText(de), c.denominator);
    }
    EXPECT_EQ(TransferFunctionFileText(Polynomials(cases[0].design)),
              "H(z) = +1.0000 \n      ---------\n       +1.0000*z -0.5000 \n");
    EXPECT_EQ(TransferFunctionFileText(Polynomials(cases[5].design)),
              "H(z) = +1.0000*z -0.0000 \n      -------------------\n       +1.0000*z +0.0000 \n");
}

TEST(NodeValueTextTest, UnitsAndRoundTrip) {
    EXPECT_EQ(NodeValueText(FComplex(0.5, -0.25), kUnitsCartesian), "0.5000 -0.2500j");
    EXPECT_EQ(NodeValueText(FComplex(0, 1), kUnitsPolarDegrees), "1.0000 90.0000 deg");
    EXPECT_EQ(NodeValueText(FComplex(0, 1), kUnitsPolarRadians), "1.0000 1.5708 rad");
    EXPECT_EQ(NodeValueText(FComplex(0, 1), 0), "1.0000 90.0000 deg");
    EXPECT_EQ(NodeValueText(FComplex(1e20, 0), kUnitsCartesian),
              "100000000000000000000.0000 +0.0000j");
    for (int units : {kUnitsCartesian, kUnitsPolarDegrees, kUnitsPolarRadians}) {
        const FComplex v(-0.3125, 0.625);
        FComplex back;
        ASSERT_TRUE(ParseNodeValue(NodeValueText(v, units).c_str(), units, &back)) << units;
        EXPECT_NEAR(back.r, v.r, 1e-4);
        EXPECT_NEAR(back.i, v.i, 1e-4);
    }
}

} // namespace
