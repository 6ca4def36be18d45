#include "cli/FilterCommand.h"

#include "audio/CAudioFilter.h"
#include "cli/QenTool.h"
#include "cli/StopSignals.h"
#include "core/FNodeList.h"

#include <cerrno>
#include <cstdlib>
#include <unistd.h>

const char* const kFilterSynopsis =
    "filter DESIGN.pzd INPUT OUTPUT [--quantize truncate|round|tpdf] [--seed N] [--quiet]";
const char* const kFilterSummary =
    "Filter a sound file through the design into OUTPUT (- for standard output), scaled to "
    "unit peak gain.";

namespace {

// A one-line bar redrawn in place whenever the percentage changes; silent without a
// stream.
class ProgressBar {
public:
    explicit ProgressBar(std::ostream* err) : mErr(err) {}

    void Show(int percent) {
        if (mErr == nullptr || percent == mShown) {
            return;
        }
        mShown = percent;
        constexpr int kWidth = 40;
        const int filled = percent * kWidth / 100;
        *mErr << "\rFiltering [" << std::string(static_cast<size_t>(filled), '#')
              << std::string(static_cast<size_t>(kWidth - filled), ' ') << "] " << percent << "%"
              << std::flush;
    }
    void Finish(bool completed) {
        if (completed) {
            Show(100);
        }
        if (mShown >= 0) {
            *mErr << "\n";
        }
    }

private:
    std::ostream* mErr;
    int mShown = -1;
};

struct FilterArgs {
    std::string design;
    std::string input;
    std::string output;
    bool quiet = false;
    CRequantizer::Mode quantize = CRequantizer::Mode::Truncate;
    uint64_t seed = 0;
};

bool ParseQuantize(const std::string& text, CRequantizer::Mode* mode) {
    const std::pair<const char*, CRequantizer::Mode> modes[] = {
        {"truncate", CRequantizer::Mode::Truncate},
        {"round", CRequantizer::Mode::Round},
        {"tpdf", CRequantizer::Mode::Tpdf}};
    for (const auto& [name, value] : modes) {
        if (text == name) {
            *mode = value;
            return true;
        }
    }
    return false;
}

bool ParseSeed(const std::string& text, uint64_t* seed) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    errno = 0;
    *seed = std::strtoull(text.c_str(), nullptr, 10);
    return errno == 0;
}

bool ParseFilterArgs(const std::vector<std::string>& args, FilterArgs* parsed,
                     std::string* problem) {
    std::vector<std::string> positional;
    for (size_t i = 1; i < args.size(); ++i) {
        const bool takesValue = args[i] == "--quantize" || args[i] == "--seed";
        if (takesValue && i + 1 == args.size()) {
            *problem = args[i] + " needs a value";
            return false;
        }
        if (args[i] == "--quiet") {
            parsed->quiet = true;
        } else if (args[i] == "--quantize" && !ParseQuantize(args[++i], &parsed->quantize)) {
            *problem = "--quantize takes truncate, round or tpdf, not " + args[i];
            return false;
        } else if (args[i] == "--seed" && !ParseSeed(args[++i], &parsed->seed)) {
            *problem = "--seed takes a whole number, not " + args[i];
            return false;
        } else if (takesValue) {
            continue;
        } else if (args[i].size() > 1 && args[i][0] == '-') {
            *problem = "unknown option " + args[i];
            return false;
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() != 3) {
        *problem = "give a design file, an input file and an output file";
        return false;
    }
    parsed->design = positional[0];
    parsed->input = positional[1];
    parsed->output = positional[2];
    return true;
}

int Failure(std::ostream& err, const std::string& file, const std::string& message,
            const std::string& reason) {
    err << "qen: " << file << ": " << message;
    if (!reason.empty()) {
        err << " (" << reason << ")";
    }
    err << "\n";
    return kExitFailure;
}

} // namespace

int RunFilterCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const std::string usage =
        std::string("Usage: qen ") + kFilterSynopsis + "\n" + kFilterSummary +
        "\nThe output keeps the input's format, rate and channels (WAV and AIFF "
        "also their\nheader bytes); it appears only when the whole file was "
        "filtered. Integer\nsamples are requantized by truncation (default), "
        "rounding, or triangular\ndither of one step seeded by --seed. "
        "Ctrl+C, SIGTERM and SIGHUP stop the run.\n";
    if (AsksForHelp(args)) {
        out << usage;
        return kExitOk;
    }
    FilterArgs parsed;
    std::string problem;
    if (!ParseFilterArgs(args, &parsed, &problem)) {
        err << "qen filter: " << problem << "\n" << usage;
        return kExitUsage;
    }

    FNodeList list;
    if (!LoadDesign(parsed.design, &list, err)) {
        return kExitFailure;
    }
    if (!list.Causal()) {
        return Failure(err, parsed.design, "Can't filter audio using a non-causal IIR filter", "");
    }

    const StopSignals stop;
    CAudioFilter filter(parsed.input, parsed.output, CRequantizer(parsed.quantize, parsed.seed));
    if (filter.PrepareFiles() < 0) {
        return Failure(err, filter.ProblemFile(), "Can't prepare audio files to be processed.",
                       filter.Problem());
    }
    if (!filter.Warning().empty()) {
        err << "qen: warning: " << parsed.input << ": " << filter.Warning() << "\n";
    }
    ProgressBar bar(!parsed.quiet && isatty(STDERR_FILENO) != 0 ? &err : nullptr);
    const auto progress = [&bar, &stop](int percent) {
        bar.Show(percent);
        return stop.StopRequested() ? 1 : 0;
    };
    const bool done = filter.SetFilter(&list) == 0 && filter.ProcessFile(progress) == 0;
    bar.Finish(done);
    if (filter.ClippedCount() > 0) {
        err << "qen: " << filter.ClippedCount() << " samples clipped\n";
    }
    if (!done) {
        return Failure(err, filter.ProblemFile(), "Can't process the audio files.",
                       filter.Problem());
    }
    return kExitOk;
}
