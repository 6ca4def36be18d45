#include "cli/SosCommand.h"

#include "cli/Invocation.h"
#include "cli/QenTool.h"
#include "core/FNodeList.h"
#include "filter/PeakGain.h"
#include "run/FSectionCascade.h"
#include "text/SectionText.h"

#include <cmath>

int RunSos(const Invocation& run) {
    std::size_t format = 0;
    std::string problem;
    if (!run.args.ReadChoice("--format", {"text", "json"}, &format, &problem)) {
        return run.Misuse(problem);
    }
    const std::string& path = run.args.Operands()[0];
    FNodeList list;
    if (!run.LoadDesign(path, &list)) {
        return kExitFailure;
    }
    FSectionCascade cascade;
    if (!cascade.Load(list)) {
        return run.Fail(path, kNonCausalSectionsText);
    }
    if (!cascade.IsReal()) {
        return run.Fail(path, kUnpairedSectionsText);
    }
    std::vector<FBiquad> sections = cascade.Sections();
    if (run.args.Has("--normalize")) {
        const double peak = TruePeakGain(FRootSet(list));
        if (!(peak > 0.0 && std::isfinite(peak))) {
            return run.Fail(path, "the design's peak gain is 0 or not finite");
        }
        for (FComplex& b : sections.front().b) {
            b *= 1.0 / peak;
        }
    }
    return run.Emit(format == 0 ? SectionsText(sections) : SectionsJson(sections));
}
