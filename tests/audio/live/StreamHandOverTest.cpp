#include "DesignFixtures.h"
#include "audio/live/CStreamEngine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <thread>

// A user-interface thread hands designs over while an audio thread renders: every
// design is picked up or freed exactly once (the sanitizers see leaks, double frees and
// races) and the sound stays finite and below the ceiling throughout.
TEST(StreamHandOverTest, DesignsCrossBetweenThreadsWhileRendering) {
    CStreamEngine engine(2, 48000.0);
    std::atomic<bool> done{false};
    std::thread audio([&] {
        std::vector<float> block(2 * 64);
        bool sound = true;
        for (int n = 0; !done.load() || n < 200; ++n) {
            std::fill(block.begin(), block.end(), 0.5f * static_cast<float>(std::sin(0.1 * n)));
            engine.Render(block.data(), 64);
            for (const float v : block) {
                sound = sound && std::abs(v) <= CStreamEngine::kCeiling;
            }
        }
        EXPECT_TRUE(sound);
    });
    for (int k = 0; k < 150; ++k) {
        const double r = 0.5 + 0.003 * k;
        engine.Publish(CStreamDesign::Build(
            Zpk::FromNodeList(k % 3 == 0 ? Design({PoleAt(r, 0.3, true), ZeroAt(1.0, 0.0)})
                                         : Design({PoleAt(r, 0.0)})),
            2));
        engine.SetBypass(k % 7 == 0);
        engine.TakePeak();
        std::this_thread::yield();
    }
    done.store(true);
    audio.join();
    engine.CollectRetired();
}
