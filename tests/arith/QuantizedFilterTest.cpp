#include "arith/QuantizedFilter.h"

#include "DesignFixtures.h"

#include <gtest/gtest.h>

#include <random>

namespace {

__extension__ using Wide = __int128;

// Direct form I on integers, written out plainly: the exact sum, reduced modulo 2^64 to
// the signed range, divided with the quotient rounded down, saturated.
std::vector<std::int64_t> Reference(const QuantizedCascade& q, std::vector<std::int64_t> x,
                                    std::int64_t* overflows) {
    const int w = WordLength(q.arithmetic);
    const Wide highest = (Wide{1} << (w - 1)) - 1;
    const Wide divisor = Wide{1} << (w - 1 - q.postShift);
    const Wide modulus = Wide{1} << 64;
    for (const std::array<std::int32_t, 5>& c : q.integers) {
        Wide x1 = 0, x2 = 0, y1 = 0, y2 = 0;
        for (std::int64_t& sample : x) {
            const Wide exact = c[0] * Wide{sample} + c[1] * x1 + c[2] * x2 + c[3] * y1 + c[4] * y2;
            const Wide acc = ((exact % modulus) + modulus + modulus / 2) % modulus - modulus / 2;
            *overflows += acc != exact;
            Wide y = (acc - (((acc % divisor) + divisor) % divisor)) / divisor;
            if (y > highest || y < -highest - 1) {
                y = y > highest ? highest : -highest - 1;
                ++*overflows;
            }
            x2 = x1;
            x1 = sample;
            y2 = y1;
            y1 = y;
            sample = static_cast<std::int64_t>(y);
        }
    }
    return x;
}

// Cascades of designs, and of the largest words, which wrap the q31 sum.
std::vector<QuantizedCascade> Cascades() {
    std::vector<QuantizedCascade> cascades;
    for (Arithmetic arithmetic : {Arithmetic::Q15, Arithmetic::Q31}) {
        for (const FNodeList& list : {HardDesigns()[0], HardDesigns()[2]}) {
            cascades.push_back(Quantize(Zpk::FromNodeList(list), arithmetic));
        }
        cascades.push_back(Quantize(
            StandardDesign(FStandardDesign::Family::Elliptic, FStandardDesign::Band::Lowpass, 6),
            arithmetic));
        QuantizedCascade& extreme = cascades.emplace_back(Quantize(Zpk(), arithmetic));
        const auto high =
            static_cast<std::int32_t>((std::int64_t{1} << (WordLength(arithmetic) - 1)) - 1);
        extreme.integers = {{high, -high - 1, high, high, -high - 1}, {-high - 1, 3, high, 1, 0}};
        extreme.stored.sections.resize(2);
        extreme.postShift = WordLength(arithmetic) - 1;
    }
    return cascades;
}

// Stereo: seeded noise over the whole range on the left, a full-scale sine near the peak
// frequency on the right, fed in uneven blocks; each channel equals the reference bit
// for bit, overflows included.
TEST(QuantizedFilterTest, FixedPointEqualsAPlainIntegerReference) {
    std::mt19937 rng(15);
    for (const QuantizedCascade& q : Cascades()) {
        SCOPED_TRACE(::testing::Message()
                     << q.integers.size() << " sections, " << ArithmeticName(q.arithmetic));
        const int w = WordLength(q.arithmetic);
        const std::int64_t highest = (std::int64_t{1} << (w - 1)) - 1;
        std::uniform_int_distribution<std::int64_t> noise(-highest - 1, highest);
        // Near the peak: at the angle of the pole nearest the circle.
        const auto pole =
            std::max_element(q.roots.poles.begin(), q.roots.poles.end(),
                             [](FComplex a, FComplex b) { return a.Mag() < b.Mag(); });
        const double omega = pole == q.roots.poles.end() ? 0.0 : std::fabs(pole->Phase());
        std::vector<std::int64_t> left(6000), right(6000);
        std::vector<double> frames;
        for (size_t n = 0; n < left.size(); ++n) {
            left[n] = noise(rng);
            right[n] = std::llround(highest * std::sin(omega * static_cast<double>(n)));
            frames.insert(frames.end(),
                          {static_cast<double>(left[n]), static_cast<double>(right[n])});
        }
        QuantizedFilter filter;
        ASSERT_TRUE(filter.Initialize(q, 2, w));
        for (size_t done = 0, block = 1; done < left.size();
             done += block, block = block * 3 % 1001) {
            block = std::min(block, left.size() - done);
            filter.Process(frames.data() + 2 * done, block);
        }
        std::int64_t overflows = 0;
        left = Reference(q, left, &overflows);
        right = Reference(q, right, &overflows);
        EXPECT_EQ(filter.Overflows(), overflows);
        for (size_t n = 0; n < left.size(); ++n) {
            ASSERT_EQ(frames[2 * n], static_cast<double>(left[n])) << n;
            ASSERT_EQ(frames[2 * n + 1], static_cast<double>(right[n])) << n;
        }
    }
}

// Samples of other formats through a cascade without roots, which passes every word as
// it is: shorter integers shift up, longer ones and floats round half away from zero and
// saturate, and the output scales back.
TEST(QuantizedFilterTest, SamplesOfOtherFormatsBecomeWords) {
    const struct {
        Arithmetic arithmetic;
        int bits;
        double in, out;
    } rows[] = {
        {Arithmetic::Q15, 8, -128, -128},
        {Arithmetic::Q15, 8, 127, 127},
        {Arithmetic::Q15, 24, 384, 512},
        {Arithmetic::Q15, 24, -384, -512},
        {Arithmetic::Q15, 24, 8388607, 8388352},
        {Arithmetic::Q15, 0, 0.5, 0.5},
        {Arithmetic::Q15, 0, 1.0, 32767.0 / 32768},
        {Arithmetic::Q15, 0, -1.5, -1.0},
        {Arithmetic::Q15, 0, NAN, 0.0},
        {Arithmetic::Q31, 16, -32768, -32768},
        {Arithmetic::Q31, 0, 0x1p-31, 0x1p-31},
        {Arithmetic::Q31, 0, 0x1.8p-32, 0x1p-31},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.bits << " " << row.in);
        QuantizedFilter filter;
        ASSERT_TRUE(filter.Initialize(Quantize(Zpk(), row.arithmetic), 1, row.bits));
        double sample = row.in;
        filter.Process(&sample, 1);
        EXPECT_EQ(sample, row.out);
    }
    QuantizedFilter filter;
    EXPECT_FALSE(filter.Initialize(Quantize(Zpk(), Arithmetic::F64), 1, 16));
    EXPECT_FALSE(filter.Initialize(Quantize(Zpk(), Arithmetic::Q15), 1, 4));
    EXPECT_FALSE(filter.Initialize(Quantize(Zpk(), Arithmetic::Q15), 0, 16));
}

} // namespace
