#include "cli/SosCommand.h"

#include "cli/QenTool.h"
#include "core/FNodeList.h"
#include "filter/PeakGain.h"
#include "filter/SosCascade.h"
#include "text/SectionText.h"

#include <cmath>
#include <optional>

const char* const kSosSynopsis = "sos DESIGN.pzd [--format text|json] [--normalize] [-o FILE]";
const char* const kSosSummary = "Write the second-order sections the design runs as.";

namespace {

struct SosArgs {
    std::string design;
    std::string format = "text";
    std::string output;
    bool normalize = false;
    bool outputGiven = false;
};

bool ParseSosArgs(const std::vector<std::string>& args, SosArgs* parsed, std::string* problem) {
    std::vector<std::string> positional;
    bool formatGiven = false;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool takesValue = arg == "--format" || arg == "-o";
        if (arg == "--normalize") {
            parsed->normalize = true;
        } else if (takesValue && i + 1 >= args.size()) {
            *problem = "option " + arg + " needs a value";
            return false;
        } else if (takesValue && (arg == "-o" ? parsed->outputGiven : formatGiven)) {
            *problem = "option " + arg + " given twice";
            return false;
        } else if (arg == "-o") {
            parsed->outputGiven = true;
            parsed->output = args[++i];
        } else if (arg == "--format") {
            formatGiven = true;
            parsed->format = args[++i];
        } else if (arg.size() > 1 && arg[0] == '-') {
            *problem = "unknown option " + arg;
            return false;
        } else {
            positional.push_back(arg);
        }
    }
    if (parsed->format != "text" && parsed->format != "json") {
        *problem = "--format must be text or json";
        return false;
    }
    if (positional.size() != 1) {
        *problem = positional.empty() ? "no design file given" : "more than one design file given";
        return false;
    }
    parsed->design = positional[0];
    return true;
}

} // namespace

int RunSosCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const std::string usage = std::string("Usage: qen ") + kSosSynopsis + "\n" + kSosSummary +
                              "\nOne line per section: b0 b1 b2 a0 a1 a2, the coefficients of "
                              "z^0, z^-1, z^-2,\nwith a0 = 1. Their product is H(z). --normalize "
                              "folds 1 / (peak gain) into\nthe first section, as the audio filter "
                              "runs it.\n";
    if (AsksForHelp(args)) {
        out << usage;
        return kExitOk;
    }
    SosArgs parsed;
    std::string problem;
    if (!ParseSosArgs(args, &parsed, &problem)) {
        err << "qen sos: " << problem << "\n" << usage;
        return kExitUsage;
    }
    FNodeList list;
    if (!LoadDesign(parsed.design, &list, err)) {
        return kExitFailure;
    }
    const Zpk zpk = Zpk::FromNodeList(list);
    std::optional<SosCascade> cascade = SosCascade::FromZpk(zpk);
    const char* refusal = nullptr;
    if (!cascade) {
        refusal = kNonCausalSectionsText;
    } else if (!cascade->IsReal()) {
        refusal = kUnpairedSectionsText;
    }
    if (refusal != nullptr) {
        err << "qen: " << parsed.design << ": " << refusal << "\n";
        return kExitFailure;
    }
    if (parsed.normalize) {
        const UnitPeak unit = UnitPeakGain(zpk);
        const double scale = unit.peak.ShareOfInverse(1);
        if (unit.problem != PeakProblem::None) {
            err << "qen: " << parsed.design << ": the design's peak gain is 0 or not finite\n";
            return kExitFailure;
        }
        if (!std::isnormal(scale)) {
            err << "qen: " << parsed.design
                << ": 1 / (peak gain) is beyond the range of one section's coefficients\n";
            return kExitFailure;
        }
        cascade->gain *= scale;
    }
    const std::string text =
        parsed.format == "json" ? SectionsJson(*cascade) : SectionsText(*cascade);
    return EmitResult(parsed.outputGiven ? &parsed.output : nullptr, text, out, err) ? kExitOk
                                                                                     : kExitFailure;
}
