#include "cli/PlayCommand.h"

#include "audio/live/CAudioDevice.h"
#include "audio/live/CSoundClip.h"
#include "audio/live/CStreamPlayer.h"
#include "cli/ExitCode.h"
#include "cli/Invocation.h"
#include "cli/StopSignals.h"
#include "core/FNodeList.h"
#include "filter/Zpk.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

namespace {

int ListDevices(const CAudioDevice& device, std::ostream& out, std::ostream& err) {
    const std::vector<CAudioDevice::Info> devices = device.Devices();
    if (devices.empty()) {
        err << "qen: no sound device found\n";
        return kExitFailure;
    }
    for (const CAudioDevice::Info& d : devices) {
        out << d.name << " (" << d.outputs << " out, " << d.inputs << " in, "
            << std::lround(d.defaultRate) << " Hz)" << (d.defaultOutput ? " default output" : "")
            << (d.defaultInput ? " default input" : "") << "\n";
    }
    return kExitOk;
}

} // namespace

int RunPlay(const Invocation& run) {
    const bool loop = run.args.Has("--loop");
    CAudioDevice device;
    if (run.args.Has("--list-devices")) {
        return ListDevices(device, run.out, run.err);
    }

    const std::string& path = run.args.Operands()[0];
    const std::string& input = run.args.Operands()[1];
    const std::string* named = run.args.Value("--device");
    FNodeList list;
    if (!run.LoadDesign(path, &list)) {
        return kExitFailure;
    }
    CSoundClip clip;
    if (clip.Load(input) < 0) {
        return run.Fail(input, clip.Problem());
    }
    const int output = device.FindOutput(named != nullptr ? *named : "");
    if (output < 0) {
        run.err << "qen: "
                << (named == nullptr ? "no sound device found"
                                     : "no playback device named " + *named)
                << "\n";
        return kExitFailure;
    }
    const int channels = std::min(2, device.Devices()[static_cast<std::size_t>(output)].outputs);
    CStreamPlayer player(channels, clip.Rate());
    std::unique_ptr<CStreamDesign> design = CStreamDesign::Build(Zpk::FromNodeList(list), channels);
    if (design->GetKind() == CStreamDesign::Kind::Silence) {
        return run.Fail(path, design->Status());
    }
    player.Engine().Publish(std::move(design));
    const double rate = clip.Rate();
    player.UseClip(std::move(clip), loop);

    const StopSignals stop;
    if (device.Start(output, channels, 0, rate, &player) < 0) {
        return run.Fail(device.Devices()[static_cast<std::size_t>(output)].name, device.Problem());
    }
    run.err << "Playing " << input << " on "
            << device.Devices()[static_cast<std::size_t>(output)].name << " at "
            << std::lround(device.Rate()) << " Hz, latency "
            << std::lround(device.Latency() * 1000.0) << " ms" << (loop ? "; Ctrl+C stops" : "")
            << "\n";
    while (!stop.StopRequested() && !player.Finished()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        player.Engine().CollectRetired();
    }
    // Let the device play out what it holds before the stream closes.
    if (!stop.StopRequested()) {
        std::this_thread::sleep_for(std::chrono::duration<double>(device.Latency()));
    }
    device.Stop();
    return kExitOk;
}
