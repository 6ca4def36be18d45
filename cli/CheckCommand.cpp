#include "cli/CheckCommand.h"

#include "cli/ExitCode.h"
#include "cli/Invocation.h"
#include "cli/RequirementOptions.h"
#include "core/FNodeList.h"
#include "core/FormatC.h"
#include "design/requirement/RequirementCheck.h"
#include "filter/SampleRate.h"

#include <cmath>

namespace {

// Decibels to the 1e-6 dB the check resolves, without trailing zeros: "0.97", "40.6".
std::string Decibels(double db) {
    if (!std::isfinite(db)) {
        return FormatC("%g", db);
    }
    std::string text = FormatC("%.6f", db);
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') {
        text.pop_back();
    }
    return text == "-0" ? "0" : text;
}

std::string RegionLine(const RegionResult& r) {
    const Requirement::Region& region = r.region;
    return FormatC("%s %.10g-%.10g Hz: %s %s dB (limit %s dB, margin %s dB)\n",
                   region.stopband ? "stopband" : "passband", region.fromHz, region.toHz,
                   region.stopband ? "attenuation" : "loss", Decibels(r.worstDb).c_str(),
                   Decibels(region.limitDb).c_str(), Decibels(r.marginDb).c_str());
}

} // namespace

int RunCheck(const Invocation& run) {
    const std::string& path = run.args.Operands()[0];
    const bool typed = run.args.Operands().size() > 1;
    if (!typed) {
        for (const char* option : {"--passband", "--stopband", "--ripple", "--attenuation"}) {
            if (run.args.Has(option)) {
                return run.Misuse(std::string(option) + " needs a TYPE before it");
            }
        }
    }
    double rate = kDefaultSampleRate;
    std::string problem;
    if (!run.args.ReadNumber("--rate", "a number of Hz", &rate, &problem)) {
        return run.Misuse(problem);
    }
    Requirement req;
    if (typed && !Requirement::BandNamed(run.args.Operands()[1], &req.band)) {
        return run.Misuse("unknown type " + run.args.Operands()[1] +
                          " (lowpass, highpass, bandpass or bandstop)");
    }
    if (typed && !ReadRequirementOptions(run.args, rate, &req, &problem)) {
        return run.Misuse(problem);
    }
    FNodeList list;
    std::optional<Requirement> kept;
    if (!run.LoadDesign(path, &list, &kept)) {
        return kExitFailure;
    }
    if (!typed) {
        if (!kept) {
            return run.Misuse(path + " keeps no requirement: give TYPE --passband F "
                                     "--stopband F");
        }
        req = *kept;
        const Requirement::Problem refused = req.CheckAtRate(rate);
        if (refused != Requirement::Problem::None) {
            return run.Misuse(
                refused == Requirement::Problem::Rate
                    ? RequirementRefusal(run.args, req, rate, refused)
                    : Arguments::Refusal("--rate", FormatC("%g", rate),
                                         "the requirement of " + path +
                                             " has band edges at or above half the rate"));
        }
    }
    const RequirementResult result = CheckRequirement(Zpk::FromNodeList(list), req, rate);
    std::string text;
    for (const RegionResult& r : result.regions) {
        text += RegionLine(r);
    }
    run.out << text << result.Verdict() << "\n";
    return result.Holds() ? kExitOk : kExitFailure;
}
