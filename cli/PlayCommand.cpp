#include "cli/PlayCommand.h"

#include "audio/live/CAudioDevice.h"
#include "audio/live/CLivePlayback.h"
#include "cli/ExitCode.h"
#include "cli/Invocation.h"
#include "cli/StopSignals.h"
#include "core/FNodeList.h"
#include "filter/Zpk.h"
#include "run/RunnableDesign.h"

#include <chrono>
#include <cmath>
#include <thread>

namespace {

constexpr std::uint64_t kDefaultLatencyMs = 20;

int ListDevices(const CSoundDevice& device, std::ostream& out, std::ostream& err) {
    const std::vector<CSoundDevice::Info> devices = device.Devices();
    if (devices.empty()) {
        err << "qen: no sound device found\n";
        return kExitFailure;
    }
    for (const CSoundDevice::Info& d : devices) {
        out << d.name << " (" << d.outputs << " out, " << d.inputs << " in, "
            << std::lround(d.defaultRate) << " Hz)" << (d.defaultOutput ? " default output" : "")
            << (d.defaultInput ? " default input" : "") << "\n";
    }
    return kExitOk;
}

void ReportDropouts(const CSoundDevice& device, std::ostream& err) {
    if (device.Dropouts() > 0) {
        err << "qen: " << device.Dropouts() << " dropouts\n";
    }
}

} // namespace

int RunPlay(const Invocation& run) {
    CAudioDevice device;
    return PlayOn(device, run);
}

int PlayOn(CSoundDevice& device, const Invocation& run) {
    if (run.args.Has("--list-devices")) {
        return ListDevices(device, run.out, run.err);
    }
    std::uint64_t latencyMs = kDefaultLatencyMs;
    std::string problem;
    if (!run.args.ReadWhole("--latency", 1, 1000, &latencyMs, &problem)) {
        return run.Misuse(problem);
    }
    const bool loop = run.args.Has("--loop");
    const std::string& path = run.args.Operands()[0];
    const std::string& input = run.args.Operands()[1];
    const std::string* named = run.args.Value("--device");
    FNodeList list;
    if (!run.LoadDesign(path, &list)) {
        return kExitFailure;
    }
    const Zpk zpk = Zpk::FromNodeList(list);
    const RunnableDesign runnable = PrepareToRun(zpk);
    if (runnable.problem != RunProblem::None) {
        return run.Fail(path, RunProblemText(runnable));
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
    CLivePlayback playback(device);
    const StopSignals stop;
    if (playback.PlayClip(std::move(clip), loop, zpk, output,
                          static_cast<double>(latencyMs) / 1000.0) != 0) {
        return run.Fail(device.Devices()[static_cast<std::size_t>(output)].name,
                        playback.Problem());
    }
    run.err << "Playing " << input << " on " << playback.Status() << (loop ? "; Ctrl+C stops" : "")
            << "\n";
    bool priorityTold = false;
    while (!stop.StopRequested() && !playback.Player()->Finished()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        if (!playback.Check()) {
            run.err << "qen: sound device lost: " << playback.Problem() << "\n";
            ReportDropouts(device, run.err);
            return kExitFailure;
        }
        if (!priorityTold && device.ThreadPriority() == CSoundDevice::Priority::Normal) {
            priorityTold = true;
            run.err << "qen: the sound runs without real-time priority; dropouts are more "
                       "likely\n";
        }
    }
    // Let the device play out what it holds before the stream closes.
    if (!stop.StopRequested()) {
        std::this_thread::sleep_for(std::chrono::duration<double>(device.Latency()));
    }
    playback.Stop();
    ReportDropouts(device, run.err);
    return kExitOk;
}
