#include "cli/DesignCommand.h"

#include "cli/ExitCode.h"
#include "cli/Invocation.h"
#include "cli/RequirementOptions.h"
#include "core/FormatC.h"
#include "design/iir/FNotchPeakDesign.h"
#include "design/iir/FStandardDesign.h"
#include "design/requirement/MinimumOrder.h"
#include "persist/CDesignPersistence.h"

#include <initializer_list>
#include <map>

namespace {

using Design = FStandardDesign;
using NotchPeak = FNotchPeakDesign;

const std::map<std::string, Design::Family> kFamilies = {
    {"butterworth", Design::Family::Butterworth},
    {"chebyshev", Design::Family::Chebyshev},
    {"chebyshev2", Design::Family::InverseChebyshev},
    {"bessel", Design::Family::Bessel},
    {"elliptic", Design::Family::Elliptic}};

const std::map<std::string, NotchPeak::Kind> kNotchPeak = {{"notch", NotchPeak::Kind::Notch},
                                                           {"peak", NotchPeak::Kind::Peak}};

std::string Hz(double value) {
    return FormatC("%g Hz", value);
}

// The first of the options that was given; null when none was.
const char* FirstGiven(const Arguments& args, std::initializer_list<const char*> options) {
    for (const char* option : options) {
        if (args.Has(option)) {
            return option;
        }
    }
    return nullptr;
}

bool Require(const Arguments& args, const char* option, std::string* problem) {
    if (!args.Has(option)) {
        *problem = std::string(option) + " is required";
        return false;
    }
    return true;
}

// The value as given, or the default the generator used, in a refusal.
std::string Refusal(const Arguments& args, const char* option, double value,
                    const std::string& requirement) {
    const std::string* given = args.Value(option);
    return Arguments::Refusal(option, given != nullptr ? *given : FormatC("%g", value),
                              requirement);
}

// Reads the --order form's options into design; a problem names the option at fault.
bool ReadOrderOptions(const Arguments& args, Design* design, std::string* problem) {
    if (const char* stray = FirstGiven(args, {"--q"})) {
        *problem = std::string(stray) + " applies to notch and peak designs only";
        return false;
    }
    std::uint64_t order = 0;
    std::size_t norm = 0;
    if (!Require(args, "--order", problem) ||
        !args.ReadWhole("--order", 1, Design::kMaxOrder, &order, problem) ||
        !Require(args, "--corner", problem) ||
        !args.ReadNumber("--corner", "a number of Hz", &design->corner, problem) ||
        !args.ReadNumber("--corner2", "a number of Hz", &design->corner2, problem) ||
        !args.ReadNumber("--rate", "a number of Hz", &design->rate, problem) ||
        !args.ReadNumber("--ripple", "a number of dB", &design->rippleDb, problem) ||
        !args.ReadNumber("--attenuation", "a number of dB", &design->attenuationDb, problem) ||
        !args.ReadChoice("--norm", {"mag", "delay", "phase"}, &norm, problem)) {
        return false;
    }
    design->order = static_cast<int>(order);
    design->besselNorm = static_cast<Design::BesselNorm>(norm);
    if (args.Has("--corner2") && !Design::IsBand(design->band)) {
        *problem = "--corner2 applies to bandpass and bandstop designs only";
        return false;
    }
    if (!args.Has("--corner2") && Design::IsBand(design->band)) {
        *problem = "--corner2 is required for a band design";
        return false;
    }
    if (args.Has("--ripple") && !Design::UsesRipple(design->family)) {
        *problem = "--ripple applies to chebyshev and elliptic designs only";
        return false;
    }
    if (args.Has("--attenuation") && !Design::UsesAttenuation(design->family)) {
        *problem = "--attenuation applies to chebyshev2 and elliptic designs only";
        return false;
    }
    if (args.Has("--norm") && design->family != Design::Family::Bessel) {
        *problem = "--norm applies to bessel designs only";
        return false;
    }
    return true;
}

// The line for a request the generator refuses, naming the option at fault; empty for
// Problem::None.
std::string ProblemText(const Arguments& args, const Design& d, Design::Problem problem) {
    switch (problem) {
    case Design::Problem::Rate:
        return Refusal(args, "--rate", d.rate, "must be a positive number of Hz");
    case Design::Problem::Order:
        return Refusal(args, "--order", d.order,
                       FormatC("must be a whole number from 1 to %d", Design::kMaxOrder));
    case Design::Problem::Corner:
        return Refusal(args, "--corner", d.corner,
                       "must lie strictly between 0 and half the rate (" + Hz(d.rate / 2) + ")");
    case Design::Problem::SecondCorner:
        return Refusal(args, "--corner2", d.corner2,
                       "must lie above --corner (" + Hz(d.corner) + ") and below half the rate (" +
                           Hz(d.rate / 2) + ")");
    case Design::Problem::Ripple:
        return Refusal(args, "--ripple", d.rippleDb,
                       FormatC("must be above 0 dB and at most %g dB", Design::kMaxDecibels));
    case Design::Problem::Attenuation:
        return Refusal(args, "--attenuation", d.attenuationDb,
                       "must be above " +
                           (d.family == Design::Family::Elliptic
                                ? FormatC("the ripple (%g dB)", d.rippleDb)
                                : std::string("0 dB")) +
                           FormatC(" and at most %g dB", Design::kMaxDecibels));
    case Design::Problem::Unstable:
        return Refusal(args, "--order", d.order,
                       "gives poles on or outside the unit circle in double precision for this "
                       "band; lower the order or widen the band");
    case Design::Problem::None:
        break;
    }
    return {};
}

int EmitDesign(const Invocation& run, const Zpk& zpk, const std::optional<Requirement>& req) {
    FNodeList list;
    zpk.AddToNodeList(&list);
    return run.Emit(CDesignPersistence::DesignText(list, req));
}

int RunOrderDesign(const Invocation& run, Design design) {
    std::string problem;
    if (!ReadOrderOptions(run.args, &design, &problem)) {
        return run.Misuse(problem);
    }
    Zpk zpk;
    problem = ProblemText(run.args, design, design.Design(&zpk));
    if (!problem.empty()) {
        return run.Misuse(problem);
    }
    return EmitDesign(run, zpk, std::nullopt);
}

// The lowest order that meets --passband, --stopband, --ripple and --attenuation; the
// file keeps the requirement.
int RunMinimumOrderDesign(const Invocation& run, const std::string& familyName,
                          Design::Family family, Design::Band band) {
    if (!HasMinimumOrder(family)) {
        return run.Misuse(familyName + " has no minimum-order rule: give --order and --corner");
    }
    if (const char* stray =
            FirstGiven(run.args, {"--order", "--corner", "--corner2", "--q", "--norm"})) {
        return run.Misuse(std::string(stray) + " does not go with --passband and --stopband");
    }
    double rate = kDefaultSampleRate;
    Requirement req;
    req.band = band;
    std::string problem;
    if (!run.args.ReadNumber("--rate", "a number of Hz", &rate, &problem) ||
        !ReadRequirementOptions(run.args, rate, &req, &problem)) {
        return run.Misuse(problem);
    }
    const Design design = *MinimumOrderDesign(family, req, rate);
    if (design.order > Design::kMaxOrder) {
        run.err << "qen: the requirement needs order " << design.order
                << (design.order == kOrderCap ? " or more" : "") << "; the largest is "
                << Design::kMaxOrder << "\n";
        return kExitFailure;
    }
    Zpk zpk;
    if (design.Design(&zpk) != Design::Problem::None) {
        run.err << "qen: the order " << design.order
                << " design this requirement needs has poles on or outside the unit circle "
                   "in double precision; widen its transition bands\n";
        return kExitFailure;
    }
    run.err << (Design::IsBand(band)
                    ? FormatC("qen: order %d, corners %g and %g Hz\n", design.order, design.corner,
                              design.corner2)
                    : FormatC("qen: order %d, corner %g Hz\n", design.order, design.corner));
    return EmitDesign(run, zpk, req);
}

int RunNotchPeakDesign(const Invocation& run, const std::string& kindName, NotchPeak::Kind kind) {
    if (run.args.Operands().size() > 1) {
        return run.Misuse("unexpected argument " + run.args.Operands()[1] + ": " + kindName +
                          " takes no TYPE");
    }
    if (const char* stray =
            FirstGiven(run.args, {"--order", "--corner2", "--ripple", "--attenuation", "--passband",
                                  "--stopband", "--norm"})) {
        return run.Misuse(std::string(stray) + " does not apply to " + kindName + " designs");
    }
    NotchPeak design;
    design.kind = kind;
    std::string problem;
    if (!Require(run.args, "--corner", &problem) ||
        !run.args.ReadNumber("--corner", "a number of Hz", &design.centre, &problem) ||
        !Require(run.args, "--q", &problem) ||
        !run.args.ReadNumber("--q", "a number", &design.q, &problem) ||
        !run.args.ReadNumber("--rate", "a number of Hz", &design.rate, &problem)) {
        return run.Misuse(problem);
    }
    Zpk zpk;
    switch (design.Design(&zpk)) {
    case NotchPeak::Problem::None:
        return EmitDesign(run, zpk, std::nullopt);
    case NotchPeak::Problem::Rate:
        return run.Misuse(
            Refusal(run.args, "--rate", design.rate, "must be a positive number of Hz"));
    case NotchPeak::Problem::Centre:
        return run.Misuse(
            Refusal(run.args, "--corner", design.centre,
                    "must lie strictly between 0 and half the rate (" + Hz(design.rate / 2) + ")"));
    case NotchPeak::Problem::Q:
        return run.Misuse(Refusal(run.args, "--q", design.q,
                                  FormatC("must be above 2 * corner / rate (%g), which keeps the "
                                          "band below half the rate",
                                          2.0 * design.centre / design.rate)));
    case NotchPeak::Problem::Unstable:
        return run.Misuse(Refusal(run.args, "--q", design.q,
                                  "puts the poles on the unit circle in double precision"));
    }
    return kExitFailure;
}

} // namespace

int RunDesign(const Invocation& run) {
    const std::vector<std::string>& operands = run.args.Operands();
    const std::string& family = operands[0];
    if (kNotchPeak.count(family) != 0) {
        return RunNotchPeakDesign(run, family, kNotchPeak.at(family));
    }
    if (kFamilies.count(family) == 0) {
        return run.Misuse("unknown family " + family +
                          " (butterworth, chebyshev, chebyshev2, bessel, elliptic, notch or peak)");
    }
    Design::Band band = Design::Band::Lowpass;
    if (operands.size() < 2) {
        return run.Misuse("give a TYPE (lowpass, highpass, bandpass or bandstop)");
    }
    if (!Requirement::BandNamed(operands[1], &band)) {
        return run.Misuse("unknown type " + operands[1] +
                          " (lowpass, highpass, bandpass or bandstop)");
    }
    if (FirstGiven(run.args, {"--passband", "--stopband"}) != nullptr) {
        return RunMinimumOrderDesign(run, family, kFamilies.at(family), band);
    }
    Design design;
    design.family = kFamilies.at(family);
    design.band = band;
    return RunOrderDesign(run, design);
}
