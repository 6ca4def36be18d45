#include "cli/DesignCommand.h"

#include "cli/Invocation.h"
#include "core/FormatC.h"
#include "design/iir/FStandardDesign.h"
#include "persist/CDesignPersistence.h"

#include <map>

namespace {

using Design = FStandardDesign;

const std::map<std::string, Design::Family> kFamilies = {
    {"butterworth", Design::Family::Butterworth},
    {"chebyshev", Design::Family::Chebyshev},
    {"chebyshev2", Design::Family::InverseChebyshev},
    {"bessel", Design::Family::Bessel},
    {"elliptic", Design::Family::Elliptic}};

const std::map<std::string, Design::Band> kBands = {{"lowpass", Design::Band::Lowpass},
                                                    {"highpass", Design::Band::Highpass},
                                                    {"bandpass", Design::Band::Bandpass},
                                                    {"bandstop", Design::Band::Bandstop}};

std::string Hz(double value) {
    return FormatC("%g Hz", value);
}

// Reads the options into design; a problem names the option at fault.
bool ReadOptions(const Arguments& args, Design* design, std::string* problem) {
    const auto required = [&](const char* option) {
        if (!args.Has(option)) {
            *problem = std::string(option) + " is required";
            return false;
        }
        return true;
    };
    std::uint64_t order = 0;
    if (!required("--order") || !args.ReadWhole("--order", 1, Design::kMaxOrder, &order, problem) ||
        !required("--corner") ||
        !args.ReadNumber("--corner", "a number of Hz", &design->corner, problem) ||
        !args.ReadNumber("--corner2", "a number of Hz", &design->corner2, problem) ||
        !args.ReadNumber("--rate", "a number of Hz", &design->rate, problem) ||
        !args.ReadNumber("--ripple", "a number of dB", &design->rippleDb, problem) ||
        !args.ReadNumber("--attenuation", "a number of dB", &design->attenuationDb, problem)) {
        return false;
    }
    design->order = static_cast<int>(order);
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
    return true;
}

// The line for a request the generator refuses, naming the option at fault; empty for
// Problem::None.
std::string ProblemText(const Arguments& args, const Design& d, Design::Problem problem) {
    // The value as given, or the default the generator used.
    const auto refusal = [&args](const char* option, double value, const std::string& requirement) {
        const std::string* given = args.Value(option);
        return Arguments::Refusal(option, given != nullptr ? *given : FormatC("%g", value),
                                  requirement);
    };
    switch (problem) {
    case Design::Problem::Rate:
        return refusal("--rate", d.rate, "must be a positive number of Hz");
    case Design::Problem::Order:
        return refusal("--order", d.order, "must be a whole number from 1 to 20");
    case Design::Problem::Corner:
        return refusal("--corner", d.corner,
                       "must lie strictly between 0 and half the rate (" + Hz(d.rate / 2) + ")");
    case Design::Problem::SecondCorner:
        return refusal("--corner2", d.corner2,
                       "must lie above --corner (" + Hz(d.corner) + ") and below half the rate (" +
                           Hz(d.rate / 2) + ")");
    case Design::Problem::Ripple:
        return refusal("--ripple", d.rippleDb,
                       FormatC("must be above 0 dB and at most %g dB", Design::kMaxDecibels));
    case Design::Problem::Attenuation:
        return refusal("--attenuation", d.attenuationDb,
                       "must be above " +
                           (d.family == Design::Family::Elliptic
                                ? FormatC("the ripple (%g dB)", d.rippleDb)
                                : std::string("0 dB")) +
                           FormatC(" and at most %g dB", Design::kMaxDecibels));
    case Design::Problem::Unstable:
        return refusal("--order", d.order,
                       "gives poles on or outside the unit circle in double precision for this "
                       "band; lower the order or widen the band");
    case Design::Problem::None:
        break;
    }
    return {};
}

} // namespace

int RunDesign(const Invocation& run) {
    const std::string& family = run.args.Operands()[0];
    const std::string& band = run.args.Operands()[1];
    if (kFamilies.count(family) == 0) {
        return run.Misuse("unknown family " + family +
                          " (butterworth, chebyshev, chebyshev2, bessel or elliptic)");
    }
    if (kBands.count(band) == 0) {
        return run.Misuse("unknown type " + band + " (lowpass, highpass, bandpass or bandstop)");
    }
    Design design;
    design.family = kFamilies.at(family);
    design.band = kBands.at(band);
    std::string problem;
    FNodeList list;
    if (!ReadOptions(run.args, &design, &problem)) {
        return run.Misuse(problem);
    }
    Zpk zpk;
    problem = ProblemText(run.args, design, design.Design(&zpk));
    zpk.AddToNodeList(&list);
    if (!problem.empty()) {
        return run.Misuse(problem);
    }
    return run.Emit(CDesignPersistence::DesignText(list));
}
