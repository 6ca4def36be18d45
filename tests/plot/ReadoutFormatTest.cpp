#include "plot/ReadoutFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

TEST(ReadoutFormatTest, DigitsFollowTheValueAndThePixel) {
    struct Row {
        const char* name;
        std::string text;
        std::string expected;
    };
    const std::vector<Row> rows = {
        // 48 kHz over 385 pixels: 62 Hz a pixel; four significant digits still tell the
        // two sides of a 100 Hz corner apart.
        {"below a 100 Hz corner", FormatFrequency(97.08, 62.3), "97.08 Hz"},
        {"above it", FormatFrequency(100.24, 62.3), "100.2 Hz"},
        {"zoomed to 0.01 Hz a pixel", FormatFrequency(1000.0, 0.01), "1000.00 Hz"},
        {"0 Hz on the full axis", FormatFrequency(0.0, 10.4), "0 Hz"},
        {"kHz from 10 kHz up", FormatFrequency(21990.0, 57.3), "21.99 kHz"},
        {"a difference", FormatFrequency(-12.5, 1.0), "-12.50 Hz"},
        {"milliseconds", FormatMilliseconds(0.875, 0.0023), "0.8750 ms"},
        {"long times", FormatMilliseconds(1250.0, 3.0), "1250 ms"},
        {"plain", FormatValue(-4.0249, 2), "-4.02"},
        {"rounds to zero", FormatValue(0.0012, 2), "0.0012"},
        {"zero", FormatValue(-0.0, 2), "0.00"},
        {"44 digits", FormatValue(5.223144630319955e43, 4), "5.22314e+43"},
        {"seven digits", FormatValue(1234567.0, 4), "1.23457e+06"},
        {"overflow", FormatValue(INFINITY, 2), "inf"},
        {"dB of a rounded 1", FormatFixed(-3.1e-14, 2), "0.00"},
        {"degrees", FormatFixed(-179.994, 2), "-179.99"},
        {"no value", FormatValue(NAN, 2), "nan"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(r.text, r.expected) << r.name;
    }
}

} // namespace
