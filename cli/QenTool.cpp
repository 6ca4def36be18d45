#include "cli/QenTool.h"

#include "cli/DelayCommand.h"
#include "cli/DesignCommand.h"
#include "cli/FilterCommand.h"
#include "cli/PlayCommand.h"
#include "cli/SosCommand.h"
#include "core/AtomicFile.h"
#include "core/FormatC.h"
#include "core/ScopedCLocale.h"
#include "filter/FDEMaker.h"
#include "filter/Stability.h"
#include "filter/Zpk.h"
#include "persist/CDesignPersistence.h"
#include "response/CImpResponse.h"
#include "response/CRampResponse.h"
#include "response/CStepResponse.h"
#include "response/FFreqResponse.h"
#include "response/FInputResponse.h"
#include "response/TimeBase.h"
#include "text/DifferenceEquationText.h"
#include "text/GroupDelayText.h"
#include "text/NodeValueText.h"
#include "text/PointsText.h"
#include "text/TransferFunctionText.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <memory>

namespace {

constexpr const char* kVersion = "qen (WinQEN) 2.0.0";
constexpr int kMaxResolution = 1000000;
constexpr long kMaxRate = 10000000;

struct Command {
    const char* name;
    const char* synopsis;
    const char* summary;
    // Options that take a value; any other argument starting with '-' is refused.
    std::vector<std::string> valueOptions;
};

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {"info",
         "info DESIGN.pzd [--units cartesian|degrees|radians]",
         "Show the pole and zero counts, causality, stability and every node.",
         {"--units"}},
        {"hz",
         "hz DESIGN.pzd [-o FILE]",
         "Write the transfer function H(z) as a .hz text.",
         {"-o"}},
        {"de", "de DESIGN.pzd [-o FILE]", "Write the difference equation as a .de text.", {"-o"}},
        {"freq",
         "freq DESIGN.pzd [--resolution N] [-o FILE]",
         "Write the frequency response points (N + 1 lines, N = 1023 by default).",
         {"--resolution", "-o"}},
        {"delay", kDelaySynopsis, kDelaySummary, {"--resolution", "--rate", "-o"}},
        {"impulse",
         "impulse DESIGN.pzd (--count N | --duration MS [--rate HZ]) [-o FILE]",
         "Write the impulse response points.",
         {"--count", "--duration", "--rate", "-o"}},
        {"step",
         "step DESIGN.pzd (--count N | --duration MS [--rate HZ]) [-o FILE]",
         "Write the step response points.",
         {"--count", "--duration", "--rate", "-o"}},
        {"ramp",
         "ramp DESIGN.pzd (--count N | --duration MS [--rate HZ]) [-o FILE]",
         "Write the ramp response points.",
         {"--count", "--duration", "--rate", "-o"}},
    };
    return commands;
}

bool IsTimeResponse(const std::string& name) {
    return name == "impulse" || name == "step" || name == "ramp";
}

const Command* FindCommand(const std::string& name) {
    for (const Command& c : Commands()) {
        if (name == c.name) {
            return &c;
        }
    }
    return nullptr;
}

std::string Usage() {
    std::string text = "Usage: qen COMMAND DESIGN.pzd [OPTIONS]\n"
                       "       qen --help | --version | COMMAND --help\n\nCommands:\n";
    for (const Command& c : Commands()) {
        text += "  qen " + std::string(c.synopsis) + "\n      " + c.summary + "\n";
    }
    text += "  qen " + std::string(kSosSynopsis) + "\n      " + kSosSummary + "\n";
    text += "  qen " + std::string(kFilterSynopsis) + "\n      " + kFilterSummary + "\n";
    text += "  qen " + std::string(kDesignSynopsis) + "\n      " + kDesignSummary + "\n";
    text += "  qen " + std::string(kPlaySynopsis) + "\n      " + kPlaySummary + "\n";
    text += "\nWithout -o the result goes to standard output. Exit status: 0 on success,\n"
            "1 on failure, 2 for a usage error.\n";
    return text;
}

std::string CommandUsage(const Command& c) {
    std::string text = "Usage: qen " + std::string(c.synopsis) + "\n" + c.summary + "\n";
    if (IsTimeResponse(c.name)) {
        text += "--count N gives N samples (0 to 1000000). --duration MS lengthens the\n"
                "duration to the next whole sample period at --rate HZ (8000 by default)\n"
                "and takes the samples it spans, as the time graph does.\n";
    }
    return text;
}

// A usage error: the message, then the usage of the command (or of the tool).
class UsageError {
public:
    std::string message;
};

struct Invocation {
    const Command* command = nullptr;
    std::string design;
    std::map<std::string, std::string> values;

    bool Has(const std::string& option) const { return values.count(option) != 0; }
};

bool ParseInvocation(const Command& command, const std::vector<std::string>& args, Invocation* inv,
                     std::string* problem) {
    inv->command = &command;
    std::vector<std::string> positional;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() > 1 && arg[0] == '-') {
            bool known = false;
            for (const std::string& option : command.valueOptions) {
                known = known || option == arg;
            }
            if (!known) {
                *problem = "unknown option " + arg;
                return false;
            }
            if (i + 1 >= args.size()) {
                *problem = "option " + arg + " needs a value";
                return false;
            }
            if (inv->Has(arg)) {
                *problem = "option " + arg + " given twice";
                return false;
            }
            inv->values[arg] = args[++i];
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 1) {
        *problem = positional.empty() ? "no design file given" : "more than one design file given";
        return false;
    }
    inv->design = positional[0];
    return true;
}

bool ParseLong(const std::string& text, long low, long high, long* value) {
    if (text.empty()) {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || errno == ERANGE || v < low || v > high) {
        return false;
    }
    *value = v;
    return true;
}

// Everything a command needs to report; the text is its whole output.
struct Result {
    bool ok = true;
    std::string text;
    std::string failure;
};

Result Failure(const std::string& message) {
    return Result{false, {}, message};
}

int UnitsFromName(const std::string& name) {
    if (name == "cartesian") {
        return kUnitsCartesian;
    }
    if (name == "degrees") {
        return kUnitsPolarDegrees;
    }
    return name == "radians" ? kUnitsPolarRadians : 0;
}

Result InfoText(const FNodeList& list, int units) {
    Result r;
    const auto counts = [&list](int type, const char* name) {
        const int nodes = list.GetListCount(type);
        return FormatC("%s: %d (%d %s)\n", name, list.RootCount(type), nodes,
                       nodes == 1 ? "node" : "nodes");
    };
    r.text = counts(kNodePole, "Poles") + counts(kNodeZero, "Zeros");
    r.text += std::string("Causal: ") + (list.Causal() ? "yes" : "no") + "\n";
    const Zpk zpk = Zpk::FromNodeList(list);
    r.text += IsStable(zpk) ? std::string("stable: yes\n")
                            : FormatC("stable: no (pole radius %.4f)\n", LargestPoleRadius(zpk));
    for (int type : {kNodePole, kNodeZero}) {
        for (short i = 0; i < list.GetListCount(type); ++i) {
            const FNode n = list.GetNodeByIndex(type, i);
            r.text += FormatC("%s %d: %s, %s\n", type == kNodePole ? "Pole" : "Zero", i,
                              NodeValueText(n.Value(), units).c_str(),
                              n.Conjugate() ? "conjugate pair" : "single");
        }
    }
    return r;
}

Result DeText(const FNodeList& list) {
    FInputResponse response;
    if (!response.Initialize(Zpk::FromNodeList(list))) {
        return Failure("Can't show difference equation of non-causal IIR Filter");
    }
    return Result{true, DifferenceEquationFileText(response), {}};
}

Result HzText(const FNodeList& list) {
    FDEMaker de;
    de.Load(Zpk::FromNodeList(list));
    return Result{true, TransferFunctionFileText(de), {}};
}

std::unique_ptr<CInputResponse> MakeResponse(const std::string& kind) {
    if (kind == "impulse") {
        return std::make_unique<CImpResponse>();
    }
    if (kind == "step") {
        return std::make_unique<CStepResponse>();
    }
    return std::make_unique<CRampResponse>();
}

// The --rate option, 8000 Hz when it is not given; false with a usage problem.
bool ReadRate(const Invocation& inv, long* rate, std::string* problem) {
    if (inv.Has("--rate") && !ParseLong(inv.values.at("--rate"), 1, kMaxRate, rate)) {
        *problem = "--rate must be a whole number of hertz from 1 to 10000000";
        return false;
    }
    return true;
}

// The sample count of a time-response command, or a usage problem.
bool TimeSampleCount(const Invocation& inv, long* count, std::string* problem) {
    if (inv.Has("--count") == inv.Has("--duration")) {
        *problem = "give either --count or --duration";
        return false;
    }
    if (inv.Has("--count")) {
        if (inv.Has("--rate")) {
            *problem = "--rate goes with --duration only";
            return false;
        }
        if (!ParseLong(inv.values.at("--count"), 0, kMaxTimeSamples, count)) {
            *problem = "--count must be a whole number from 0 to 1000000";
            return false;
        }
        return true;
    }
    long rate = 8000;
    if (!ReadRate(inv, &rate, problem)) {
        return false;
    }
    double ms = 0.0;
    if (!ParseDouble(inv.values.at("--duration"), &ms)) {
        *problem = "--duration must be a number of milliseconds";
        return false;
    }
    const int hz = static_cast<int>(rate);
    const long long n = DurationSampleCount(SnapDuration(ms, hz), hz);
    if (n < 0 || n > kMaxTimeSamples) {
        *problem = "--duration must span from 0 to 1000000 samples";
        return false;
    }
    *count = static_cast<long>(n);
    return true;
}

struct Settings {
    int units = kUnitsPolarDegrees;
    long resolution = 1023;
    long rate = 8000;
    long count = 0;
};

bool ReadSettings(const Invocation& inv, Settings* settings, std::string* problem) {
    if (inv.Has("--units") && (settings->units = UnitsFromName(inv.values.at("--units"))) == 0) {
        *problem = "--units must be cartesian, degrees or radians";
        return false;
    }
    if (inv.Has("--resolution") &&
        !ParseLong(inv.values.at("--resolution"), 1, kMaxResolution, &settings->resolution)) {
        *problem = "--resolution must be a whole number from 1 to 1000000";
        return false;
    }
    if (std::string(inv.command->name) == "delay" && !ReadRate(inv, &settings->rate, problem)) {
        return false;
    }
    return !IsTimeResponse(inv.command->name) || TimeSampleCount(inv, &settings->count, problem);
}

int RunCommand(const Command& command, const std::vector<std::string>& args, std::ostream& out,
               std::ostream& err) {
    if (AsksForHelp(args)) {
        out << CommandUsage(command);
        return kExitOk;
    }
    Invocation inv;
    std::string problem;
    if (!ParseInvocation(command, args, &inv, &problem)) {
        err << "qen " << command.name << ": " << problem << "\n" << CommandUsage(command);
        return kExitUsage;
    }
    const std::string name = command.name;
    Settings settings;
    if (!ReadSettings(inv, &settings, &problem)) {
        err << "qen " << name << ": " << problem << "\n" << CommandUsage(command);
        return kExitUsage;
    }

    FNodeList list;
    if (!LoadDesign(inv.design, &list, err)) {
        return kExitFailure;
    }
    Result result;
    if (name == "info") {
        result = InfoText(list, settings.units);
    } else if (name == "hz") {
        result = HzText(list);
    } else if (name == "de") {
        result = DeText(list);
    } else if (name == "freq") {
        FFreqResponse response;
        response.Initialize(Zpk::FromNodeList(list), static_cast<int>(settings.resolution));
        result.text = PointsText(response.Samples());
    } else if (name == "delay") {
        FGroupDelay delay;
        delay.Initialize(Zpk::FromNodeList(list));
        result.text = GroupDelayText(delay, static_cast<int>(settings.resolution),
                                     static_cast<int>(settings.rate));
    } else {
        std::unique_ptr<CInputResponse> response = MakeResponse(name);
        if (!response->Initialize(Zpk::FromNodeList(list), static_cast<int>(settings.count))) {
            result = Failure("Can't show time response of non-causal IIR filter");
        } else {
            result.text = PointsText(response->Samples());
        }
    }
    if (!result.ok) {
        err << "qen: " << inv.design << ": " << result.failure << "\n";
        return kExitFailure;
    }
    return EmitResult(inv.Has("-o") ? &inv.values.at("-o") : nullptr, result.text, out, err)
               ? kExitOk
               : kExitFailure;
}

} // namespace

bool ParseDouble(const std::string& text, double* value) {
    if (text.empty()) {
        return false;
    }
    ScopedCLocale cLocale;
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (*end != '\0' || !std::isfinite(v)) {
        return false;
    }
    *value = v;
    return true;
}

bool EmitResult(const std::string* path, const std::string& text, std::ostream& out,
                std::ostream& err) {
    if (path == nullptr || *path == "-") {
        out << text;
        return true;
    }
    errno = 0;
    if (!WriteFileAtomically(*path, text)) {
        const int code = errno;
        err << "qen: " << *path << ": cannot write"
            << (code != 0 ? std::string(": ") + std::strerror(code) : std::string()) << "\n";
        return false;
    }
    return true;
}

bool LoadDesign(const std::string& path, FNodeList* list, std::ostream& err) {
    std::string reason;
    if (CDesignPersistence::LoadNodeListFromFile(path.c_str(), list, &reason)) {
        return true;
    }
    FILE* probe = std::fopen(path.c_str(), "r");
    if (probe == nullptr) {
        err << "qen: " << path << ": cannot read: " << reason << "\n";
    } else {
        std::fclose(probe);
        err << "qen: " << path << ": not a valid design file: " << reason << "\n";
    }
    return false;
}

bool AsksForHelp(const std::vector<std::string>& args) {
    return args.size() == 2 && (args[1] == "--help" || args[1] == "-h");
}

int RunQen(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        err << "qen: no command given\n" << Usage();
        return kExitUsage;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        out << Usage();
        return kExitOk;
    }
    if (args[0] == "--version") {
        out << kVersion << "\n";
        return kExitOk;
    }
    if (args[0] == "sos") {
        return RunSosCommand(args, out, err);
    }
    if (args[0] == "filter") {
        return RunFilterCommand(args, out, err);
    }
    if (args[0] == "design") {
        return RunDesignCommand(args, out, err);
    }
    if (args[0] == "play") {
        return RunPlayCommand(args, out, err);
    }
    const Command* command = FindCommand(args[0]);
    if (command == nullptr) {
        err << "qen: unknown command " << args[0] << "\n" << Usage();
        return kExitUsage;
    }
    return RunCommand(*command, args, out, err);
}
