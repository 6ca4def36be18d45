#include "DesignFixtures.h"
#include "TestSupport.h"
#include "audio/AudioFixtures.h"
#include "audio/live/CStreamPlayer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

namespace {

constexpr double kRate = 48000.0;
constexpr int kChannels = 2;
constexpr std::size_t kFrames = 6000;

// Two tones and some noise, different in each channel, peaking near amplitude.
std::vector<float> TestSignal(double amplitude) {
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> noise(-0.2, 0.2);
    std::vector<float> x(kFrames * kChannels);
    for (std::size_t i = 0; i < x.size(); ++i) {
        const double n =
            static_cast<double>(i / kChannels) + 37.0 * static_cast<double>(i % kChannels);
        x[i] = static_cast<float>(
            amplitude * (0.5 * std::sin(0.05 * n) + 0.3 * std::sin(0.71 * n) + noise(rng)));
    }
    return x;
}

// Renders x in blocks of uneven sizes, handing over next just before frame change.
std::vector<float> Render(CStreamEngine& engine, std::vector<float> x, std::size_t change,
                          std::unique_ptr<CStreamDesign> next) {
    const std::size_t sizes[] = {1, 37, 256, 700, 64};
    for (std::size_t f = 0, k = 0; f < kFrames; ++k) {
        if (f == change) {
            engine.Publish(std::move(next));
        }
        const std::size_t end =
            std::min({kFrames, f + sizes[k % 5], f < change ? change : kFrames});
        engine.Render(&x[f * kChannels], end - f);
        f = end;
    }
    engine.CollectRetired();
    return x;
}

// The design run plainly from frame from on, from rest, at its unit-peak gain.
std::vector<double> Filtered(const FNodeList& list, const std::vector<float>& x, std::size_t from) {
    std::vector<double> y(x.begin() + static_cast<std::ptrdiff_t>(from * kChannels), x.end());
    if (list.RootCount(kNodePole) > 0) {
        FSectionFilter filter;
        EXPECT_TRUE(filter.Initialize(
            Cascade(list, CStreamDesign::Build(Zpk::FromNodeList(list), kChannels)->Gain()),
            kChannels));
        filter.Process(y.data(), y.size() / kChannels);
    }
    return y;
}

double LargestStep(const std::vector<float>& y, std::size_t from, std::size_t to) {
    double step = 0.0;
    for (std::size_t i = (from + 1) * kChannels; i < to * kChannels; ++i) {
        step = std::max(step, std::abs(double(y[i]) - double(y[i - kChannels])));
    }
    return step;
}

const FNodeList kLowpass = Design({PoleAt(0.5, 0.5, true), ZeroAt(-1.0, 0.0)});
const FNodeList kHighpass = Design({PoleAt(-0.3, 0.0), ZeroAt(1.0, 0.0)});
const FNodeList kResonator = Design({PoleAt(0.93, 0.3, true), ZeroAt(1.0, 0.0), ZeroAt(-1.0, 0.0)});
const FNodeList kUnstable = Design({PoleAt(1.01, 0.2, true)});
const FNodeList kNonCausal = Design({PoleAt(0.5, 0.0), ZeroAt(0.3, 0.4, true)});
const FNodeList kEmpty;

FNodeList Spread40() {
    FNodeList list;
    for (int k = 0; k < 10; ++k) {
        FComplex p, z;
        p.SetByRadian(0.6 + 0.03 * k, 0.25 * (k + 1));
        z.SetByRadian(1.0, 0.25 * (k + 1) + 0.1);
        list.AddNode(FNode(kNodePole, p, true, 1));
        list.AddNode(FNode(kNodeZero, z, true, 1));
    }
    return list;
}

// Unedited, the stream is the plain filter at unit peak gain (the limiter idle at these
// levels), faded in from silence over the first FadeFrames().
TEST(CStreamEngineTest, UneditedRenderIsThePlainFilterFadedIn) {
    for (const FNodeList& list : {kLowpass, kResonator, kEmpty, Spread40()}) {
        CStreamEngine engine(kChannels, kRate);
        const std::vector<float> x = TestSignal(0.25);
        const std::vector<float> y =
            Render(engine, x, 0, CStreamDesign::Build(Zpk::FromNodeList(list), kChannels));
        const std::vector<double> ref = Filtered(list, x, 0);
        const auto fade = static_cast<double>(engine.FadeFrames());
        for (std::size_t i = 0; i < y.size(); ++i) {
            const double weight = std::min(1.0, static_cast<double>(i / kChannels + 1) / fade);
            ASSERT_NEAR(y[i], ref[i] * weight, 1e-6) << list.DumpText() << " sample " << i;
        }
    }
}

// A change mid-stream steps no more than the sound itself does. A small move keeps the
// filter's memory; after any other change's cross-fade the stream is the new design's
// filter from rest (silence for a design that cannot play).
TEST(CStreamEngineTest, ChangeCrossFadesWithoutStepIntoTheNewFilter) {
    const struct {
        const char* name;
        FNodeList from;
        FNodeList to;
        bool kept;
    } rows[] = {{"lowpass to highpass", kLowpass, kHighpass, false},
                {"plain to resonator", kEmpty, kResonator, false},
                {"resonator to unstable", kResonator, kUnstable, false},
                {"lowpass to non-causal", kLowpass, kNonCausal, false},
                {"spread to lowpass", Spread40(), kLowpass, false},
                {"resonator moved", kResonator,
                 Design({PoleAt(0.91, 0.34, true), ZeroAt(1.0, 0.0), ZeroAt(-1.0, 0.0)}), true}};
    constexpr std::size_t kChange = 2500;
    for (const auto& row : rows) {
        EXPECT_EQ(
            CStreamDesign::Build(Zpk::FromNodeList(row.to), kChannels)
                ->TakeStateFrom(*CStreamDesign::Build(Zpk::FromNodeList(row.from), kChannels)),
            row.kept)
            << row.name;
        CStreamEngine engine(kChannels, kRate);
        engine.Publish(CStreamDesign::Build(Zpk::FromNodeList(row.from), kChannels));
        const std::vector<float> x = TestSignal(0.25);
        const std::vector<float> y =
            Render(engine, x, kChange, CStreamDesign::Build(Zpk::FromNodeList(row.to), kChannels));
        const std::size_t settled = kChange + engine.FadeFrames();
        const double own = std::max(LargestStep(y, engine.FadeFrames(), kChange),
                                    LargestStep(y, settled, kFrames));
        EXPECT_LE(LargestStep(y, kChange - 1, settled + 1), own) << row.name;
        const bool silent = CStreamDesign::Build(Zpk::FromNodeList(row.to), kChannels)->GetKind() ==
                            CStreamDesign::Kind::Silence;
        const std::vector<double> ref =
            silent ? std::vector<double>(x.size()) : Filtered(row.to, x, kChange);
        for (std::size_t i = settled * kChannels; i < y.size() && !row.kept; ++i) {
            ASSERT_NEAR(y[i], ref[i - kChange * kChannels], 1e-6) << row.name << " sample " << i;
        }
    }
}

// Bypass fades to the input itself; a loud or broken input never passes the ceiling.
TEST(CStreamEngineTest, BypassPlaysTheInputAndTheLimiterHoldsTheCeiling) {
    CStreamEngine engine(kChannels, kRate);
    engine.Publish(CStreamDesign::Build(Zpk::FromNodeList(kResonator), kChannels));
    engine.SetBypass(true);
    const std::vector<float> x = TestSignal(0.25);
    const std::vector<float> y = Render(engine, x, kFrames, nullptr);
    for (std::size_t i = engine.FadeFrames() * kChannels; i < y.size(); ++i) {
        ASSERT_EQ(y[i], x[i]) << i;
    }

    std::vector<float> loud = TestSignal(8.0);
    loud[99] = NAN;
    loud[200] = INFINITY;
    engine.SetBypass(false);
    const std::vector<float> limited = Render(engine, loud, kFrames, nullptr);
    EXPECT_TRUE(std::all_of(limited.begin(), limited.end(),
                            [](float v) { return std::abs(v) <= CStreamEngine::kCeiling; }));
    EXPECT_LE(engine.TakePeak(), CStreamEngine::kCeiling);
}

} // namespace
