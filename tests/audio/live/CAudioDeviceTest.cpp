#include "audio/live/CAudioDevice.h"
#include "TestSupport.h"
#include "audio/AudioFixtures.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

class CountingRenderer : public CAudioRenderer {
public:
    void Render(const float* /*input*/, float* output, std::size_t frames) noexcept override {
        std::fill(output, output + 2 * frames, 0.0f);
        mFrames.fetch_add(frames);
    }
    std::atomic<std::size_t> mFrames{0};
};

int Qen(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    return RunQen(args, out, err);
}

// The default playback device asks for sound on its own thread until stopped, and qen
// play plays a file on it to the end.
TEST(CAudioDeviceTest, DefaultDevicePlays) {
    CAudioDevice device;
    EXPECT_EQ(Qen({"play", "--list-devices"}), device.Devices().empty() ? kExitFailure : kExitOk);
    EXPECT_EQ(Qen({"play", "--loop"}), kExitUsage);
    const int output = device.FindOutput("");
    if (output < 0) {
        GTEST_SKIP() << "no sound device";
    }
    CountingRenderer renderer;
    ASSERT_EQ(device.Start({output, 2, 0, 44100.0}, &renderer), 0) << device.Problem();
    EXPECT_EQ(device.Start({output, 2, 0, 44100.0}, &renderer), -3);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (renderer.mFrames.load() < 4410 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    device.Stop();
    EXPECT_GE(renderer.mFrames.load(), 4410u);

    const TempDir dir;
    const std::string tone(4000, '\x10');
    WriteFileBytes(dir.File("in.wav"), WavFile(WavFormat(1, 16), "", tone, ""));
    WriteFileBytes(dir.File("d.pzd"), "VERSION=2.000000\nDESIGN=ZPlane\nPOLECOUNT=1\nZEROCOUNT=0\n"
                                      "P0=0.500000, 0.000000, 0\n");
    EXPECT_EQ(Qen({"play", dir.File("d.pzd"), dir.File("in.wav")}), kExitOk);
}

} // namespace
