#include "cli/ExportCommand.h"

#include "cli/ArithmeticOption.h"
#include "cli/ExitCode.h"
#include "cli/Invocation.h"
#include "core/FNodeList.h"
#include "export/ExportText.h"
#include "text/SectionText.h"

int RunExport(const Invocation& run) {
    std::size_t format = 0;
    Arithmetic arithmetic = Arithmetic::F64;
    std::string problem;
    if (!run.args.Has("--format")) {
        return run.Misuse("--format is required");
    }
    if (!run.args.ReadChoice("--format", ExportFormatNames(), &format, &problem) ||
        !ReadArithmetic(run.args, &arithmetic, &problem)) {
        return run.Misuse(problem);
    }
    const std::string& path = run.args.Operands()[0];
    const std::string* given = run.args.Value("--name");
    if (given != nullptr && !IsExportName(*given)) {
        return run.Misuse(Arguments::Refusal(
            "--name", *given, "must be a C identifier: letters, digits and _, not first a digit"));
    }
    FNodeList list;
    if (!run.LoadDesign(path, &list)) {
        return kExitFailure;
    }
    const QuantizedCascade cascade = Quantize(Zpk::FromNodeList(list), arithmetic);
    if (cascade.problem != QuantizeProblem::None) {
        return run.Fail(path, QuantizeProblemText(cascade.problem, arithmetic));
    }
    // f64 runs complex sections, but no exported format holds them.
    if (!cascade.stored.IsReal()) {
        return run.Fail(path, kUnpairedSectionsText);
    }
    const std::string name = given != nullptr ? *given : ExportName(path);
    return run.Emit(ExportText(cascade, static_cast<ExportFormat>(format), name,
                               path.substr(path.find_last_of('/') + 1)));
}
