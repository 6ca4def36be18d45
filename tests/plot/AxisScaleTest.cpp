#include "plot/AxisScale.h"
#include "plot/AxisRange.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// Each row: a scale, a value and the pixel it lands on, checked both ways.
struct MappingRow {
    const char* name;
    AxisScale scale;
    double value;
    double pixel;
};

TEST(AxisScaleTest, ValuesAndPixelsMapBothWays) {
    // A 3-decade frequency axis at 8000 Hz over 300 pixels: 100 pixels a decade.
    const AxisScale logHz = AxisScale::Log(4.0, 4000.0, 10.0, 310.0);
    // A dB axis growing upwards: 0 dB at y 8, -60 dB at y 128.
    const AxisScale db = AxisScale::Linear(-60.0, 0.0, 128.0, 8.0);
    const std::vector<MappingRow> rows = {
        {"log low end", logHz, 4.0, 10.0},
        {"log one decade up", logHz, 40.0, 110.0},
        {"log high end", logHz, 4000.0, 310.0},
        {"log 2x is 0.30103 decade", logHz, 8.0, 10.0 + 100.0 * std::log10(2.0)},
        {"dB top", db, 0.0, 8.0},
        {"dB half power", db, -3.0103, 8.0 + 2.0 * 3.0103},
        {"dB bottom", db, -60.0, 128.0},
        {"linear kHz", AxisScale::Linear(0.0, 4.0, 10.0, 395.0), 1.0, 10.0 + 385.0 / 4},
    };
    for (const MappingRow& r : rows) {
        EXPECT_NEAR(r.scale.ToPixel(r.value), r.pixel, 1e-9) << r.name;
        EXPECT_NEAR(r.scale.ToValue(r.pixel), r.value, 1e-9 * std::abs(r.value) + 1e-12) << r.name;
    }
}

TEST(AxisScaleTest, DecibelsAndTheFloorOfTheAxis) {
    EXPECT_NEAR(AxisScale::Decibels(1.0 / std::sqrt(2.0), 1.0), -3.0103, 1e-4);
    EXPECT_EQ(AxisScale::Decibels(0.0, 1.0), -INFINITY);
    const std::vector<std::pair<double, double>> floors = {
        {0.0, -20.0},     {-3.0, -20.0},    {-20.0, -20.0},      {-20.5, -40.0},
        {-199.0, -200.0}, {-350.0, -200.0}, {-INFINITY, -200.0}, {NAN, -20.0}};
    for (const auto& [lowest, floor] : floors) {
        EXPECT_EQ(AxisScale::DbFloor(lowest), floor) << lowest;
    }
}

TEST(AxisScaleTest, TicksAreRoundAndFitTheRange) {
    struct Row {
        const char* name;
        AxisScale scale;
        int maxTicks;
        std::vector<double> ticks;
    };
    const std::vector<Row> rows = {
        {"kHz", AxisScale::Linear(0.0, 4.0, 0, 1), 9, {0, 0.5, 1, 1.5, 2, 2.5, 3, 3.5, 4}},
        {"kHz, less room", AxisScale::Linear(0.0, 4.0, 0, 1), 5, {0, 1, 2, 3, 4}},
        {"22.05 kHz", AxisScale::Linear(0.0, 22.05, 0, 1), 6, {0, 5, 10, 15, 20}},
        {"dB", AxisScale::Linear(-60.0, 0.0, 1, 0), 4, {-60, -40, -20, 0}},
        {"amplitude", AxisScale::Linear(-1.5, 1.5, 1, 0), 7, {-1.5, -1, -0.5, 0, 0.5, 1, 1.5}},
        {"log 1-2-5",
         AxisScale::Log(4.0, 4000.0, 0, 1),
         12,
         {5, 10, 20, 50, 100, 200, 500, 1000, 2000}},
        {"log decades", AxisScale::Log(4.0, 4000.0, 0, 1), 5, {10, 100, 1000}},
        {"log, ends on ticks", AxisScale::Log(10.0, 1000.0, 0, 1), 3, {10, 100, 1000}},
        {"log zoomed inside a decade",
         AxisScale::Log(95.0, 105.0, 0, 1),
         6,
         {96, 98, 100, 102, 104}},
    };
    for (const Row& r : rows) {
        const std::vector<double> ticks = r.scale.Ticks(r.maxTicks);
        ASSERT_EQ(ticks.size(), r.ticks.size()) << r.name;
        for (size_t k = 0; k < ticks.size(); ++k) {
            EXPECT_NEAR(ticks[k], r.ticks[k], 1e-9 * std::abs(r.ticks[k])) << r.name;
        }
    }
}

// Zoom and pan change only the range, and undo each other; the value under the pointer
// keeps its pixel.
TEST(AxisScaleTest, ZoomAndPanMapBackAndForth) {
    struct Row {
        const char* name;
        AxisRange range;
        double at;
        double factor;
    };
    const std::vector<Row> rows = {
        {"linear kHz", AxisRange(0.0, 4000.0, false), 1000.0, 4.0},
        {"log Hz", AxisRange(4.0, 4000.0, true), 100.0, 8.0},
        {"dB, out", AxisRange(-60.0, 0.0, false), -3.0, 0.5},
    };
    for (const Row& r : rows) {
        const AxisScale before = r.range.Scale(10.0, 395.0);
        const AxisRange zoomed = r.range.ZoomedAbout(r.at, r.factor);
        const AxisScale after = zoomed.Scale(10.0, 395.0);
        EXPECT_NEAR(after.ToPixel(r.at), before.ToPixel(r.at), 1e-9) << r.name;
        // Distances from it grow by the factor, on the axis's own scale.
        const double near = r.at * 1.01;
        EXPECT_NEAR(after.ToPixel(near) - after.ToPixel(r.at),
                    r.factor * (before.ToPixel(near) - before.ToPixel(r.at)), 1e-6)
            << r.name;
        const AxisRange back = zoomed.ZoomedAbout(r.at, 1.0 / r.factor);
        EXPECT_NEAR(back.Low(), r.range.Low(), 1e-9 * std::abs(r.range.Low()) + 1e-12) << r.name;
        EXPECT_NEAR(back.High(), r.range.High(), 1e-9 * std::abs(r.range.High())) << r.name;
        const AxisRange panned = zoomed.PannedBy(0.25).PannedBy(-0.25);
        EXPECT_NEAR(panned.Low(), zoomed.Low(), 1e-9 * std::abs(zoomed.High())) << r.name;
        EXPECT_NEAR(after.ToValue(after.ToPixel(near)), near, 1e-9 * std::abs(near)) << r.name;
    }
    // A quarter along a log axis is a quarter of its decades: 4 Hz ... 4 kHz moves by
    // 10^0.75.
    const AxisRange log(4.0, 4000.0, true);
    EXPECT_NEAR(log.PannedBy(0.25).Low(), 4.0 * std::pow(10.0, 0.75), 1e-9);
    // Kept inside the full axis: shifted back whole, or the full axis when longer.
    const AxisRange full(0.0, 4000.0, false);
    EXPECT_EQ(AxisRange(-500.0, 500.0, false).Within(full), AxisRange(0.0, 1000.0, false));
    EXPECT_EQ(AxisRange(3500.0, 4500.0, false).Within(full), AxisRange(3000.0, 4000.0, false));
    EXPECT_EQ(AxisRange(-1.0, 5000.0, false).Within(full), full);
    EXPECT_EQ(AxisRange(0.0, 4000.0, false).Within(log), log);
    // Zooming in without end stops where pixels no longer differ.
    AxisRange deep = full;
    for (int k = 0; k < 200; ++k) {
        deep = deep.ZoomedAbout(1000.0, 10.0);
    }
    EXPECT_GT(deep.High() - deep.Low(), 1e-9 * 1000.0 * 0.9);
}

} // namespace
