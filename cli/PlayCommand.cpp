#include "cli/PlayCommand.h"

#include "audio/live/CAudioDevice.h"
#include "audio/live/CSoundClip.h"
#include "audio/live/CStreamPlayer.h"
#include "cli/QenTool.h"
#include "core/FNodeList.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <thread>

const char* const kPlaySynopsis =
    "play DESIGN.pzd INPUT [--loop] [--device NAME] | play --list-devices";
const char* const kPlaySummary = "Play a sound file through the design on a sound device.";

namespace {

volatile std::sig_atomic_t gPlayStop = 0;

extern "C" void StopPlaying(int) {
    gPlayStop = 1;
}

// SIGINT and SIGTERM end the playing cleanly for as long as the object lives.
class SignalsStopPlaying {
public:
    SignalsStopPlaying() {
        gPlayStop = 0;
        struct sigaction action {};
        action.sa_handler = StopPlaying;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, &mInt);
        sigaction(SIGTERM, &action, &mTerm);
    }
    ~SignalsStopPlaying() {
        sigaction(SIGINT, &mInt, nullptr);
        sigaction(SIGTERM, &mTerm, nullptr);
    }
    SignalsStopPlaying(const SignalsStopPlaying&) = delete;
    SignalsStopPlaying& operator=(const SignalsStopPlaying&) = delete;

private:
    struct sigaction mInt {};
    struct sigaction mTerm {};
};

struct PlayArgs {
    std::string design;
    std::string input;
    std::string device;
    bool loop = false;
    bool list = false;
};

bool ParsePlayArgs(const std::vector<std::string>& args, PlayArgs* parsed, std::string* problem) {
    std::vector<std::string> positional;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--loop") {
            parsed->loop = true;
        } else if (args[i] == "--list-devices") {
            parsed->list = true;
        } else if (args[i] == "--device" && i + 1 < args.size()) {
            parsed->device = args[++i];
        } else if (args[i].size() > 1 && args[i][0] == '-') {
            *problem = "unknown option " + args[i];
            return false;
        } else {
            positional.push_back(args[i]);
        }
    }
    if (parsed->list != positional.empty()) {
        *problem =
            parsed->list ? "--list-devices takes no files" : "give a design file and an input file";
        return false;
    }
    if (!parsed->list && positional.size() != 2) {
        *problem = "give a design file and an input file";
        return false;
    }
    if (!parsed->list) {
        parsed->design = positional[0];
        parsed->input = positional[1];
    }
    return true;
}

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

int RunPlayCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const std::string usage = std::string("Usage: qen ") + kPlaySynopsis + "\n" + kPlaySummary +
                              "\nThe output is scaled to unit peak gain and limited below full "
                              "scale.\n--loop plays until Ctrl+C; --device picks a device by "
                              "the name --list-devices shows.\n";
    if (AsksForHelp(args)) {
        out << usage;
        return kExitOk;
    }
    PlayArgs parsed;
    std::string problem;
    if (!ParsePlayArgs(args, &parsed, &problem)) {
        err << "qen play: " << problem << "\n" << usage;
        return kExitUsage;
    }
    CAudioDevice device;
    if (parsed.list) {
        return ListDevices(device, out, err);
    }

    FNodeList list;
    if (!LoadDesign(parsed.design, &list, err)) {
        return kExitFailure;
    }
    CSoundClip clip;
    if (clip.Load(parsed.input) < 0) {
        err << "qen: " << parsed.input << ": " << clip.Problem() << "\n";
        return kExitFailure;
    }
    const int output = device.FindOutput(parsed.device);
    if (output < 0) {
        err << "qen: "
            << (parsed.device.empty() ? "no sound device found"
                                      : "no playback device named " + parsed.device)
            << "\n";
        return kExitFailure;
    }
    const int channels = std::min(2, device.Devices()[static_cast<std::size_t>(output)].outputs);
    CStreamPlayer player(channels, clip.Rate());
    std::unique_ptr<CStreamDesign> design = CStreamDesign::Build(list, channels);
    if (design->GetKind() == CStreamDesign::Kind::Silence) {
        err << "qen: " << parsed.design << ": " << design->Status() << "\n";
        return kExitFailure;
    }
    player.Engine().Publish(std::move(design));
    const double rate = clip.Rate();
    player.UseClip(std::move(clip), parsed.loop);

    const SignalsStopPlaying signalsStop;
    if (device.Start(output, channels, 0, rate, &player) < 0) {
        err << "qen: " << device.Devices()[static_cast<std::size_t>(output)].name << ": "
            << device.Problem() << "\n";
        return kExitFailure;
    }
    err << "Playing " << parsed.input << " on "
        << device.Devices()[static_cast<std::size_t>(output)].name << " at "
        << std::lround(device.Rate()) << " Hz, latency " << std::lround(device.Latency() * 1000.0)
        << " ms" << (parsed.loop ? "; Ctrl+C stops" : "") << "\n";
    while (gPlayStop == 0 && !player.Finished()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        player.Engine().CollectRetired();
    }
    // Let the device play out what it holds before the stream closes.
    if (gPlayStop == 0) {
        std::this_thread::sleep_for(std::chrono::duration<double>(device.Latency()));
    }
    device.Stop();
    return kExitOk;
}
