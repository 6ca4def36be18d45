#include "plot/PhaseSegments.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

constexpr double kPiRef = 3.141592653589793;

// Each row: samples of a continuous phase and the pieces it is drawn in, folded or not.
TEST(PhaseSegmentsTest, BreaksOnlyAtJumpsAndEdges) {
    struct Row {
        const char* name;
        std::vector<double> phase;
        bool wrapped;
        std::vector<std::vector<PlotPoint>> segments;
    };
    const double p = kPiRef;
    const std::vector<Row> rows = {
        {"steep but inside", {0.0, 3.0, -3.0}, true, {{{0, 0.0}, {1, 3.0}, {2, -3.0}}}},
        // 2.5 to 3.5 passes pi a bit over half way: the pieces run to the edges there.
        {"passing pi",
         {2.5, 3.5},
         true,
         {{{0, 2.5}, {(p - 2.5), p}}, {{(p - 2.5), -p}, {1, 3.5 - 2 * p}}}},
        {"a root on the circle", {0.5, NAN, 0.5 + p}, false, {{{0, 0.5}}, {{2, 0.5 + p}}}},
        {"unwrapped runs on", {2.5, 3.5, 7.0}, false, {{{0, 2.5}, {1, 3.5}, {2, 7.0}}}},
        {"nothing defined", {NAN, NAN}, true, {}},
    };
    for (const Row& r : rows) {
        std::vector<double> x;
        for (size_t k = 0; k < r.phase.size(); ++k) {
            x.push_back(static_cast<double>(k));
        }
        const auto segments = PhaseSegments(x, r.phase, r.wrapped);
        ASSERT_EQ(segments.size(), r.segments.size()) << r.name;
        for (size_t s = 0; s < segments.size(); ++s) {
            ASSERT_EQ(segments[s].size(), r.segments[s].size()) << r.name;
            for (size_t k = 0; k < segments[s].size(); ++k) {
                EXPECT_NEAR(segments[s][k].first, r.segments[s][k].first, 1e-12) << r.name;
                EXPECT_NEAR(segments[s][k].second, r.segments[s][k].second, 1e-12) << r.name;
            }
        }
    }
}

} // namespace
