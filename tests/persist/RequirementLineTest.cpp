#include "persist/RequirementLine.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

using Band = Requirement::Band;

TEST(RequirementLineTest, RoundTripsEveryTypeExactly) {
    const Requirement reqs[] = {
        {Band::Lowpass, {1000, 0}, {1500, 0}, 1, 40},
        {Band::Highpass, {0.1 + 0.2, 0}, {1e-3, 0}, 0.01, 120.5},
        {Band::Bandpass, {1234.5678, 2000}, {1000, 1e5 / 3}, 3, 300},
        {Band::Bandstop, {500, 2500}, {1000, 2000}, 1e-9, 1e-8},
    };
    EXPECT_EQ(RequirementLine(reqs[0]), "SPEC=lowpass;1000;1500;1;40 \n");
    EXPECT_EQ(RequirementLine(reqs[3]), "SPEC=bandstop;500:2500;1000:2000;1e-09;1e-08 \n");
    CommaLocale comma;
    for (const Requirement& req : reqs) {
        std::string line = RequirementLine(req);
        line.pop_back();
        Requirement read;
        EXPECT_TRUE(ParseRequirementLine(line, &read)) << line;
        EXPECT_EQ(read, req) << line;
    }
    Requirement spaced;
    EXPECT_TRUE(ParseRequirementLine("spec= bandpass ; 1000:2000 ;500 : 2500;1 ; 40\r", &spaced));
    EXPECT_EQ(spaced, (Requirement{Band::Bandpass, {1000, 2000}, {500, 2500}, 1, 40}));
}

// Each row breaks one field, or the rule between the edges that its type needs.
TEST(RequirementLineTest, RefusesMalformedLines) {
    const char* rows[] = {
        "SPEC=",
        "SPEC=lowpass;1000;1500;1",
        "SPEC=lowpass;1000;1500;1;40;",
        "SPEC=allpass;1000;1500;1;40",
        "SPEC=lowpass;1000:1200;1500;1;40",
        "SPEC=bandpass;1000;1500;1;40",
        "SPEC=lowpass;1000,5;1500;1;40",
        "SPEC=lowpass;;1500;1;40",
        "SPEC=lowpass;nan;1500;1;40",
        "SPEC=lowpass;1000;inf;1;40",
        "SPEC=lowpass;0;1500;1;40",
        "SPEC=lowpass;1500;1000;1;40",
        "SPEC=highpass;1000;1500;1;40",
        "SPEC=bandpass;2000:1000;500:2500;1;40",
        "SPEC=bandpass;1000:2000;1500:2500;1;40",
        "SPEC=bandstop;1000:2000;500:2500;1;40",
        "SPEC=bandstop;500:2500;2000:1000;1;40",
        "SPEC=lowpass;1000;1500;0;40",
        "SPEC=lowpass;1000;1500;40;40",
        "SPEC=lowpass;1000;1500;1;301",
        "SPEC=lowpass;1000;1500;1;40x",
        "SPECS=lowpass;1000;1500;1;40",
    };
    for (const char* row : rows) {
        Requirement req;
        EXPECT_FALSE(ParseRequirementLine(row, &req)) << row;
    }
}

} // namespace
