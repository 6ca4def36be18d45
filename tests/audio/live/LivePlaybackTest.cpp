#include "audio/live/CLivePlayback.h"

#include "FakeSoundDevice.h"
#include "TestSupport.h"
#include "audio/AudioFixtures.h"
#include "cli/Command.h"
#include "cli/CommandTable.h"
#include "cli/Invocation.h"
#include "cli/PlayCommand.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstring>

namespace {

// A clip of 16-bit samples, loaded from a WAV file as a user's would be.
CSoundClip Clip(int channels, uint32_t rate, const std::vector<float>& samples) {
    std::string bytes;
    for (const float v : samples) {
        bytes += LE16(static_cast<uint32_t>(std::lround(v * 32768)));
    }
    const TempDir dir;
    WriteFileBytes(dir.File("clip.wav"), WavFile(WavFormat(channels, 16, rate), "", bytes));
    CSoundClip clip;
    EXPECT_EQ(clip.Load(dir.File("clip.wav")), 0) << clip.Problem();
    return clip;
}

// The empty design plays its input unchanged.
const Zpk kPassThrough{};

// A stream whose device fails, or stops asking for sound for longer than the limit, is
// lost with the reason; one that stalls as it starts is opened again, a few times.
// Dropouts flagged by the device are counted.
TEST(CLivePlayback, NoticesALostStreamAndCountsDropouts) {
    for (const bool stall : {false, true}) {
        FakeSoundDevice device;
        CLivePlayback playback(device);
        ASSERT_EQ(playback.PlayClip(Clip(1, 48000, std::vector<float>(4800, 0.1f)), true,
                                    kPassThrough, 0, 0.02),
                  0)
            << playback.Problem();
        for (int open = 1; open <= CSoundDevice::kStartRetries + 1; ++open) {
            EXPECT_EQ(device.opens, open);
            device.Pull(256);
            EXPECT_TRUE(playback.Check());
            device.now += CSoundDevice::kStallLimit + std::chrono::milliseconds(1);
            EXPECT_EQ(playback.Check(), open <= CSoundDevice::kStartRetries);
        }
        ASSERT_EQ(playback.PlayClip(Clip(1, 48000, std::vector<float>(4800, 0.1f)), true,
                                    kPassThrough, 0, 0.02),
                  0);
        for (int i = 0; i < 8; ++i) {
            device.Pull(256, i % 3 == 0);
            device.now += CSoundDevice::kStallLimit / 2;
            EXPECT_TRUE(playback.Check());
        }
        EXPECT_EQ(device.Dropouts(), 3);
        if (stall) {
            device.now += CSoundDevice::kStallLimit + std::chrono::milliseconds(1);
        } else {
            device.failure = "device unplugged";
        }
        EXPECT_FALSE(playback.Check());
        EXPECT_EQ(playback.Problem(),
                  stall ? "the device stopped asking for sound" : "device unplugged");
        EXPECT_FALSE(playback.Playing());
        EXPECT_FALSE(device.Running());
    }
}

// Constant levels, looped, on the device's channels: mono on both of stereo; six
// channels mixed down to stereo (odd channels left, even right) or to a single
// channel, each output the mean of the channels it sums; six kept on eight.
TEST(CLivePlayback, MixesDownChannelsTheDeviceLacks) {
    const struct {
        int channels;
        int outputs;
        std::vector<float> expected;
        const char* status;
    } rows[] = {
        {1, 2, {0.1f, 0.1f}, "Fake: 48000 Hz, latency 50 ms"},
        {6, 2, {0.3f, 0.4f}, "Fake: 48000 Hz, latency 50 ms, 6 channels mixed down to 2"},
        {6, 1, {0.35f}, "Fake: 48000 Hz, latency 50 ms, 6 channels mixed down to 1"},
        {6, 8, {0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f}, "Fake: 48000 Hz, latency 50 ms"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.outputs);
        std::vector<float> frames;
        for (int f = 0; f < 4800 * row.channels; ++f) {
            frames.push_back(0.1f * static_cast<float>(f % row.channels + 1));
        }
        FakeSoundDevice device;
        device.devices[0].outputs = row.outputs;
        device.priority = CSoundDevice::Priority::RealTime;
        CLivePlayback playback(device);
        ASSERT_EQ(playback.PlayClip(Clip(row.channels, 48000, frames), true, kPassThrough, 0, 0.05),
                  0);
        // Twice the clip's length, after the design has faded in.
        std::vector<float> block;
        for (int i = 0; i < 20; ++i) {
            block = device.Pull(480);
        }
        for (std::size_t c = 0; c < row.expected.size(); ++c) {
            EXPECT_NEAR(block[block.size() - row.expected.size() + c], row.expected[c], 1e-4);
        }
        EXPECT_EQ(playback.Status(), row.status);
    }
}

// A 1 kHz sine at 44100 Hz on a device that only runs at 48000 Hz is resampled: it
// plays at 1 kHz at its own level. A device that refuses its own rate too is refused
// naming both rates.
TEST(CLivePlayback, ResamplesWhatTheDeviceCannotPlayAtItsRate) {
    std::vector<float> sine;
    for (int n = 0; n < 2 * 44100; ++n) {
        sine.push_back(0.5f * static_cast<float>(std::sin(2 * M_PI * 1000 * n / 44100.0)));
    }
    FakeSoundDevice device;
    CLivePlayback playback(device);
    ASSERT_EQ(playback.PlayClip(Clip(1, 44100, sine), false, kPassThrough, 0, 0.02), 0)
        << playback.Problem();
    EXPECT_EQ(device.opened.rate, 48000.0);
    // One second from 0.1 s on: the fade-in is over, the clip not.
    const std::vector<float> out = device.Pull(48000 + 4800);
    EXPECT_EQ(playback.Status(),
              "Fake: 48000 Hz, latency 20 ms, the file's 44100 Hz resampled, not at real-time "
              "priority");
    std::complex<double> at1k = 0.0;
    for (int n = 4800; n < 48000 + 4800; ++n) {
        at1k += static_cast<double>(out[2 * static_cast<std::size_t>(n)]) *
                std::polar(1.0, -2 * M_PI * 1000 * n / 48000.0);
    }
    EXPECT_NEAR(2 * std::abs(at1k) / 48000, 0.5, 0.005);

    device.rates = {96000.0};
    EXPECT_EQ(playback.PlayClip(Clip(1, 44100, sine), false, kPassThrough, 0, 0.02),
              CSoundDevice::kRateRefused);
    EXPECT_EQ(playback.Problem(),
              "neither the file's 44100 Hz nor the device's 48000 Hz can be played: Invalid "
              "sample rate");
    EXPECT_FALSE(playback.Playing());
}

// qen play on a device that fails under it: a failure naming the reason, with the
// dropouts so far, and the buffering asked for with --latency.
TEST(CLivePlayback, QenPlayEndsWithTheLostDevicesReason) {
    const TempDir dir;
    WriteFileBytes(dir.File("in.wav"), WavFile(WavFormat(1, 16), "", std::string(4000, '\x10')));
    WriteFileBytes(dir.File("d.pzd"), "VERSION=2\nDESIGN=ZPlane\nPOLECOUNT=1\nZEROCOUNT=0\n"
                                      "P0=0.5, 0, 0\n");
    FakeSoundDevice device;
    device.rates = {8000.0};
    device.failure = "device unplugged";
    const Arguments args({dir.File("d.pzd"), dir.File("in.wav")}, {{"--latency", "50"}}, {});
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(PlayOn(device, Invocation{*FindCommand("play"), args, out, err}), kExitFailure);
    EXPECT_EQ(err.str(), "Playing " + dir.File("in.wav") +
                             " on Fake: 8000 Hz, latency 50 ms\nqen: sound device lost: device "
                             "unplugged\n");
    EXPECT_EQ(device.opened.latency, 0.05);
}

} // namespace
