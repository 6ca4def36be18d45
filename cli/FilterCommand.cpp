#include "cli/FilterCommand.h"

#include "arith/QuantizedCascade.h"
#include "audio/CAudioFilter.h"
#include "cli/ArithmeticOption.h"
#include "cli/ExitCode.h"
#include "cli/Invocation.h"
#include "cli/StopSignals.h"
#include "core/FNodeList.h"
#include "core/FormatC.h"
#include "filter/Stability.h"
#include "run/RunnableDesign.h"

#include <limits>
#include <unistd.h>

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

// "qen: FILE: message (reason)" on err; returns kExitFailure.
int FailWithReason(const Invocation& run, const std::string& file, const std::string& message,
                   const std::string& reason) {
    return run.Fail(file, reason.empty() ? message : message + " (" + reason + ")");
}

} // namespace

int RunFilter(const Invocation& run) {
    const CRequantizer::Mode modes[] = {CRequantizer::Mode::Truncate, CRequantizer::Mode::Round,
                                        CRequantizer::Mode::Tpdf};
    std::size_t mode = 0;
    std::uint64_t seed = 0;
    Arithmetic arithmetic = Arithmetic::F64;
    std::string problem;
    if (!run.args.ReadChoice("--quantize", {"truncate", "round", "tpdf"}, &mode, &problem) ||
        !run.args.ReadWhole("--seed", 0, std::numeric_limits<std::uint64_t>::max(), &seed,
                            &problem) ||
        !ReadArithmetic(run.args, &arithmetic, &problem)) {
        return run.Misuse(problem);
    }
    const std::string& design = run.args.Operands()[0];
    const std::string& input = run.args.Operands()[1];
    const std::string& output = run.args.Operands()[2];

    FNodeList list;
    if (!run.LoadDesign(design, &list)) {
        return kExitFailure;
    }
    const Zpk zpk = Zpk::FromNodeList(list);
    const RunnableDesign runnable = PrepareToRun(zpk);
    if (runnable.problem != RunProblem::None) {
        return run.Fail(design, RunProblemText(runnable));
    }
    if (arithmetic != Arithmetic::F64) {
        const QuantizedCascade quantized = Quantize(zpk, arithmetic);
        if (quantized.problem != QuantizeProblem::None) {
            return run.Fail(design, QuantizeProblemText(quantized.problem, arithmetic));
        }
        if (!IsStable(quantized.roots)) {
            run.err << "qen: warning: " << design << ": in " << ArithmeticName(arithmetic)
                    << " the filter is unstable (largest pole radius "
                    << FormatC("%.10g", LargestPoleRadius(quantized.roots)) << ")\n";
        }
    }

    const StopSignals stop;
    CAudioFilter filter(input, output, CRequantizer(modes[mode], seed));
    if (filter.PrepareFiles() < 0) {
        return FailWithReason(run, filter.ProblemFile(),
                              "Can't prepare audio files to be processed.", filter.Problem());
    }
    if (!filter.Warning().empty()) {
        run.err << "qen: warning: " << input << ": " << filter.Warning() << "\n";
    }
    ProgressBar bar(!run.args.Has("--quiet") && isatty(STDERR_FILENO) != 0 ? &run.err : nullptr);
    const auto progress = [&bar, &stop](int percent) {
        bar.Show(percent);
        return stop.StopRequested() ? 1 : 0;
    };
    const bool done = filter.SetFilter(zpk, arithmetic) == 0 && filter.ProcessFile(progress) == 0;
    bar.Finish(done);
    if (filter.OverflowCount() > 0) {
        run.err << "qen: " << filter.OverflowCount() << " overflows\n";
    }
    if (filter.ClippedCount() > 0) {
        run.err << "qen: " << filter.ClippedCount() << " samples clipped\n";
    }
    if (!done) {
        return FailWithReason(run, filter.ProblemFile(), "Can't process the audio files.",
                              filter.Problem());
    }
    if (!filter.OutputWarning().empty()) {
        run.err << "qen: warning: " << output << ": " << filter.OutputWarning() << "\n";
    }
    return kExitOk;
}
