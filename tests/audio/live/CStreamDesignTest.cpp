#include "audio/live/CStreamDesign.h"
#include "filter/PeakGain.h"

#include "DesignFixtures.h"

#include <gtest/gtest.h>

namespace {

Zpk Roots(std::initializer_list<FNode> nodes) {
    return Zpk::FromNodeList(Design(nodes));
}

// What each kind of design plays: the filter at unit peak gain, the plain input, or
// silence with the reason in the status line.
TEST(CStreamDesignTest, EachDesignPlaysAsFilterPlainInputOrSilenceWithItsReason) {
    using Kind = CStreamDesign::Kind;
    const struct {
        const char* name;
        Zpk zpk;
        Kind kind;
        const char* status;
    } rows[] = {
        {"resonator", Roots({PoleAt(0.93, 0.3, true), ZeroAt(1, 0)}), Kind::Filter, ""},
        {"empty", Zpk(), Kind::PassThrough, ""},
        {"unstable", Roots({PoleAt(1.01, 0.2, true)}), Kind::Silence, "Unstable"},
        {"non-causal", Roots({PoleAt(0.5, 0), ZeroAt(0.3, 0.4, true)}), Kind::Silence,
         "Can't filter audio using a non-causal IIR filter"},
        {"zero everywhere", Zpk{{}, {FComplex(0.5, 0)}, 0.0}, Kind::Silence,
         "The design's peak gain is 0 or not finite"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const auto design = CStreamDesign::Build(row.zpk, 2);
        EXPECT_EQ(design->GetKind(), row.kind);
        EXPECT_EQ(design->Status(), row.status);
        std::vector<double> frames{0.25, -0.5, 0.75, 1.0};
        design->Run(frames.data(), 2);
        if (row.kind == Kind::Silence) {
            EXPECT_EQ(frames, std::vector<double>(4, 0.0));
        } else if (row.kind == Kind::PassThrough) {
            EXPECT_EQ(frames, (std::vector<double>{0.25, -0.5, 0.75, 1.0}));
        } else {
            EXPECT_NEAR(design->Gain(), 1.0 / TruePeakGain(row.zpk), 1e-15);
        }
    }
}

} // namespace
