#include "cli/SosCommand.h"

#include "cli/ExitCode.h"
#include "cli/Invocation.h"
#include "core/FNodeList.h"
#include "filter/PeakGain.h"
#include "filter/PeakScaling.h"
#include "filter/SosCascade.h"
#include "text/SectionText.h"

#include <cmath>
#include <optional>

int RunSos(const Invocation& run) {
    std::size_t format = 0;
    std::size_t scale = 0;
    std::string problem;
    if (!run.args.ReadChoice("--format", {"text", "json"}, &format, &problem) ||
        !run.args.ReadChoice("--scale", {"none", "peak"}, &scale, &problem)) {
        return run.Misuse(problem);
    }
    const bool peakScaled = scale == 1;
    if (peakScaled && run.args.Has("--normalize")) {
        return run.Misuse("--normalize goes with --scale none only");
    }
    const std::string& path = run.args.Operands()[0];
    FNodeList list;
    if (!run.LoadDesign(path, &list)) {
        return kExitFailure;
    }
    const Zpk zpk = Zpk::FromNodeList(list);
    std::optional<SosCascade> cascade = SosCascade::FromZpk(zpk);
    if (!cascade) {
        return run.Fail(path, kNonCausalSectionsText);
    }
    if (!cascade->IsReal()) {
        return run.Fail(path, kUnpairedSectionsText);
    }
    if (peakScaled) {
        const PeakScaledCascade scaled = PeakScaled(zpk);
        if (scaled.problem != PeakProblem::None) {
            return run.Fail(path, "the design's peak gain is 0 or not finite");
        }
        cascade = scaled.cascade;
    } else if (run.args.Has("--normalize")) {
        const UnitPeak unit = UnitPeakGain(zpk);
        if (unit.problem != PeakProblem::None) {
            return run.Fail(path, "the design's peak gain is 0 or not finite");
        }
        const double scale = unit.peak.ShareOfInverse(1);
        if (!std::isnormal(scale)) {
            return run.Fail(path, "1 / (peak gain) is beyond the range of one section's "
                                  "coefficients");
        }
        cascade->gain *= scale;
    }
    return run.Emit(format == 0 ? SectionsText(*cascade) : SectionsJson(*cascade));
}
