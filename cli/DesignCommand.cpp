#include "cli/DesignCommand.h"

#include "cli/QenTool.h"
#include "core/FormatC.h"
#include "design/iir/FStandardDesign.h"
#include "persist/CDesignPersistence.h"

#include <cmath>
#include <map>

const char* const kDesignSynopsis =
    "design FAMILY TYPE --order N --corner HZ [--corner2 HZ] [--rate HZ] [--ripple DB]\n"
    "           [--attenuation DB] [-o FILE]";
const char* const kDesignSummary = "Write a standard filter design as a .pzd file.";

namespace {

using Design = FStandardDesign;

const char* const kDesignHelp =
    "FAMILY is butterworth, chebyshev, chebyshev2, bessel or elliptic; TYPE is lowpass,\n"
    "highpass, bandpass or bandstop. --order N (1 to 20) is the order of the lowpass\n"
    "prototype; band types get twice as many poles. Corners are in Hz at --rate HZ\n"
    "(8000 by default); bandpass and bandstop need --corner2 above --corner.\n"
    "Butterworth and Bessel corners are -3 dB points; chebyshev and elliptic corners end\n"
    "the passband, whose ripple is --ripple DB (1 by default); chebyshev2 corners start\n"
    "the stopband, attenuated by --attenuation DB (40 by default, also elliptic).\n"
    "The sampling rate is not part of a design file: use the same rate when you open,\n"
    "analyse or run the design.\n";

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

const char* const kOptions[] = {"--order",  "--corner",      "--corner2", "--rate",
                                "--ripple", "--attenuation", "-o"};

struct DesignArgs {
    std::vector<std::string> positional;
    std::map<std::string, std::string> values;

    bool Has(const std::string& option) const { return values.count(option) != 0; }
};

bool Split(const std::vector<std::string>& args, DesignArgs* parsed, std::string* problem) {
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() < 2 || arg[0] != '-') {
            parsed->positional.push_back(arg);
            continue;
        }
        bool known = false;
        for (const char* option : kOptions) {
            known = known || arg == option;
        }
        if (!known) {
            *problem = "unknown option " + arg;
            return false;
        }
        if (i + 1 >= args.size()) {
            *problem = "option " + arg + " needs a value";
            return false;
        }
        if (parsed->Has(arg)) {
            *problem = "option " + arg + " given twice";
            return false;
        }
        parsed->values[arg] = args[++i];
    }
    return true;
}

std::string Hz(double value) {
    return FormatC("%g Hz", value);
}

// Reads the options into design; a problem names the option at fault.
bool ReadOptions(const DesignArgs& parsed, Design* design, std::string* problem) {
    const auto number = [&](const char* option, double* value, const char* what) {
        if (!parsed.Has(option)) {
            return true;
        }
        if (!ParseDouble(parsed.values.at(option), value)) {
            *problem = std::string(option) + " " + parsed.values.at(option) + ": must be " + what;
            return false;
        }
        return true;
    };
    const auto required = [&](const char* option) {
        if (!parsed.Has(option)) {
            *problem = std::string(option) + " is required";
            return false;
        }
        return true;
    };
    double order = 0.0;
    if (!required("--order") || !number("--order", &order, "a whole number from 1 to 20") ||
        !required("--corner") || !number("--corner", &design->corner, "a number of Hz") ||
        !number("--corner2", &design->corner2, "a number of Hz") ||
        !number("--rate", &design->rate, "a number of Hz") ||
        !number("--ripple", &design->rippleDb, "a number of dB") ||
        !number("--attenuation", &design->attenuationDb, "a number of dB")) {
        return false;
    }
    if (order != std::floor(order) || order < 1 || order > Design::kMaxOrder) {
        *problem =
            "--order " + parsed.values.at("--order") + ": must be a whole number from 1 to 20";
        return false;
    }
    design->order = static_cast<int>(order);
    if (parsed.Has("--corner2") && !Design::IsBand(design->band)) {
        *problem = "--corner2 applies to bandpass and bandstop designs only";
        return false;
    }
    if (!parsed.Has("--corner2") && Design::IsBand(design->band)) {
        *problem = "--corner2 is required for a band design";
        return false;
    }
    if (parsed.Has("--ripple") && !Design::UsesRipple(design->family)) {
        *problem = "--ripple applies to chebyshev and elliptic designs only";
        return false;
    }
    if (parsed.Has("--attenuation") && !Design::UsesAttenuation(design->family)) {
        *problem = "--attenuation applies to chebyshev2 and elliptic designs only";
        return false;
    }
    return true;
}

// The line for a request the generator refuses, naming the option at fault; empty for
// Problem::None.
std::string ProblemText(const DesignArgs& parsed, const Design& d, Design::Problem problem) {
    const auto given = [&parsed](const char* option, double value) {
        const auto found = parsed.values.find(option);
        return std::string(option) + " " +
               (found != parsed.values.end() ? found->second : FormatC("%g", value)) + ": ";
    };
    switch (problem) {
    case Design::Problem::Rate:
        return given("--rate", d.rate) + "must be a positive number of Hz";
    case Design::Problem::Order:
        return given("--order", d.order) + "must be a whole number from 1 to 20";
    case Design::Problem::Corner:
        return given("--corner", d.corner) + "must lie strictly between 0 and half the rate (" +
               Hz(d.rate / 2) + ")";
    case Design::Problem::SecondCorner:
        return given("--corner2", d.corner2) + "must lie above --corner (" + Hz(d.corner) +
               ") and below half the rate (" + Hz(d.rate / 2) + ")";
    case Design::Problem::Ripple:
        return given("--ripple", d.rippleDb) +
               FormatC("must be above 0 dB and at most %g dB", Design::kMaxDecibels);
    case Design::Problem::Attenuation:
        return given("--attenuation", d.attenuationDb) + "must be above " +
               (d.family == Design::Family::Elliptic ? FormatC("the ripple (%g dB)", d.rippleDb)
                                                     : std::string("0 dB")) +
               FormatC(" and at most %g dB", Design::kMaxDecibels);
    case Design::Problem::Unstable:
        return given("--order", d.order) +
               "gives poles on or outside the unit circle in double precision for this band; "
               "lower the order or widen the band";
    case Design::Problem::None:
        break;
    }
    return {};
}

} // namespace

int RunDesignCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (AsksForHelp(args)) {
        out << "Usage: qen " << kDesignSynopsis << "\n" << kDesignSummary << "\n" << kDesignHelp;
        return kExitOk;
    }
    DesignArgs parsed;
    std::string problem;
    Design design;
    FNodeList list;
    if (Split(args, &parsed, &problem)) {
        const std::vector<std::string>& p = parsed.positional;
        if (p.size() != 2) {
            problem = p.size() < 2 ? "give a FAMILY and a TYPE" : "unexpected argument " + p[2];
        } else if (kFamilies.count(p[0]) == 0) {
            problem = "unknown family " + p[0] +
                      " (butterworth, chebyshev, chebyshev2, bessel or elliptic)";
        } else if (kBands.count(p[1]) == 0) {
            problem = "unknown type " + p[1] + " (lowpass, highpass, bandpass or bandstop)";
        } else {
            design.family = kFamilies.at(p[0]);
            design.band = kBands.at(p[1]);
            if (ReadOptions(parsed, &design, &problem)) {
                Zpk zpk;
                problem = ProblemText(parsed, design, design.Design(&zpk));
                zpk.AddToNodeList(&list);
            }
        }
    }
    if (!problem.empty()) {
        err << "qen design: " << problem << "\n";
        return kExitUsage;
    }
    const std::string* path = parsed.Has("-o") ? &parsed.values.at("-o") : nullptr;
    return EmitResult(path, CDesignPersistence::DesignText(list), out, err) ? kExitOk
                                                                            : kExitFailure;
}
