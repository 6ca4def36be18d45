#include "cli/ResponseCommands.h"

#include "arith/QuantizedCascade.h"
#include "cli/ArithmeticOption.h"
#include "cli/ExitCode.h"
#include "cli/Invocation.h"
#include "core/FNodeList.h"
#include "filter/SampleRate.h"
#include "filter/Zpk.h"
#include "response/CImpResponse.h"
#include "response/CRampResponse.h"
#include "response/CStepResponse.h"
#include "response/FFreqResponse.h"
#include "response/PointsText.h"
#include "response/TimeBase.h"
#include "text/GroupDelayText.h"

namespace {

constexpr std::uint64_t kDefaultResolution = 1023;
constexpr std::uint64_t kMaxResolution = 1000000;
constexpr std::uint64_t kMaxRate = 10000000;

bool ReadResolution(const Arguments& args, std::uint64_t* resolution, std::string* problem) {
    return args.ReadWhole("--resolution", 1, kMaxResolution, resolution, problem);
}

bool ReadRate(const Arguments& args, std::uint64_t* rate, std::string* problem) {
    return args.ReadWhole("--rate", 1, kMaxRate, rate, problem);
}

// The number of samples --count gives, or that --duration spans at --rate.
bool ReadSampleCount(const Arguments& args, std::uint64_t* count, std::string* problem) {
    if (args.Has("--count") == args.Has("--duration")) {
        *problem = "give either --count or --duration";
        return false;
    }
    if (args.Has("--count")) {
        if (args.Has("--rate")) {
            *problem = "--rate goes with --duration only";
            return false;
        }
        return args.ReadWhole("--count", 0, kMaxTimeSamples, count, problem);
    }
    std::uint64_t rate = kDefaultSampleRate;
    double ms = 0.0;
    if (!ReadRate(args, &rate, problem) ||
        !args.ReadNumber("--duration", "a number of milliseconds", &ms, problem)) {
        return false;
    }
    const int hz = static_cast<int>(rate);
    const long long n = DurationSampleCount(SnapDuration(ms, hz), hz);
    if (n < 0 || n > kMaxTimeSamples) {
        *problem = Arguments::Refusal("--duration", *args.Value("--duration"),
                                      "must span from 0 to 1000000 samples");
        return false;
    }
    *count = static_cast<std::uint64_t>(n);
    return true;
}

int RunTimeResponse(const Invocation& run, CInputResponse&& response) {
    std::uint64_t count = 0;
    std::string problem;
    if (!ReadSampleCount(run.args, &count, &problem)) {
        return run.Misuse(problem);
    }
    const std::string& path = run.args.Operands()[0];
    FNodeList list;
    if (!run.LoadDesign(path, &list)) {
        return kExitFailure;
    }
    if (!response.Initialize(Zpk::FromNodeList(list), static_cast<int>(count))) {
        return run.Fail(path, "Can't show time response of non-causal IIR filter");
    }
    return run.Emit(PointsText(response.Samples()));
}

} // namespace

int RunFreq(const Invocation& run) {
    std::uint64_t resolution = kDefaultResolution;
    Arithmetic arithmetic = Arithmetic::F64;
    std::string problem;
    if (!ReadResolution(run.args, &resolution, &problem) ||
        !ReadArithmetic(run.args, &arithmetic, &problem)) {
        return run.Misuse(problem);
    }
    const std::string& path = run.args.Operands()[0];
    FNodeList list;
    if (!run.LoadDesign(path, &list)) {
        return kExitFailure;
    }
    Zpk zpk = Zpk::FromNodeList(list);
    if (run.args.Has("--arith")) {
        const QuantizedCascade q = Quantize(zpk, arithmetic);
        if (q.problem != QuantizeProblem::None) {
            return run.Fail(path, QuantizeProblemText(q.problem, arithmetic));
        }
        zpk = q.roots;
    }
    FFreqResponse response;
    response.Initialize(zpk, static_cast<int>(resolution));
    return run.Emit(PointsText(response.Samples()));
}

int RunDelay(const Invocation& run) {
    std::uint64_t resolution = kDefaultResolution;
    std::uint64_t rate = kDefaultSampleRate;
    std::string problem;
    if (!ReadResolution(run.args, &resolution, &problem) || !ReadRate(run.args, &rate, &problem)) {
        return run.Misuse(problem);
    }
    FNodeList list;
    if (!run.LoadDesign(run.args.Operands()[0], &list)) {
        return kExitFailure;
    }
    FGroupDelay delay;
    delay.Initialize(Zpk::FromNodeList(list));
    return run.Emit(GroupDelayText(delay, static_cast<int>(resolution), static_cast<int>(rate)));
}

int RunImpulse(const Invocation& run) {
    return RunTimeResponse(run, CImpResponse());
}

int RunStep(const Invocation& run) {
    return RunTimeResponse(run, CStepResponse());
}

int RunRamp(const Invocation& run) {
    return RunTimeResponse(run, CRampResponse());
}
