#include "cli/DesignTextCommands.h"

#include "arith/QuantizedCascade.h"
#include "cli/ArithmeticOption.h"
#include "cli/ExitCode.h"
#include "cli/Invocation.h"
#include "core/FNodeList.h"
#include "core/FormatC.h"
#include "filter/FDEMaker.h"
#include "filter/Stability.h"
#include "filter/Zpk.h"
#include "response/FInputResponse.h"
#include "text/DifferenceEquationText.h"
#include "text/NodeValueText.h"
#include "text/TransferFunctionText.h"

namespace {

std::string InfoText(const FNodeList& list, int units) {
    const auto counts = [&list](int type, const char* name) {
        const int nodes = list.GetListCount(type);
        return FormatC("%s: %d (%d %s)\n", name, list.RootCount(type), nodes,
                       nodes == 1 ? "node" : "nodes");
    };
    std::string text = counts(kNodePole, "Poles") + counts(kNodeZero, "Zeros");
    text += std::string("Causal: ") + (list.Causal() ? "yes" : "no") + "\n";
    const Zpk zpk = Zpk::FromNodeList(list);
    text += IsStable(zpk) ? std::string("stable: yes\n")
                          : FormatC("stable: no (pole radius %.4f)\n", LargestPoleRadius(zpk));
    for (int type : {kNodePole, kNodeZero}) {
        for (short i = 0; i < list.GetListCount(type); ++i) {
            const FNode n = list.GetNodeByIndex(type, i);
            text += FormatC("%s %d: %s, %s\n", type == kNodePole ? "Pole" : "Zero", i,
                            NodeValueText(n.Value(), units).c_str(),
                            n.Conjugate() ? "conjugate pair" : "single");
        }
    }
    return text;
}

// How the design fares in the arithmetic; empty with the refusal in *problem when it
// cannot run in it.
std::string ArithmeticText(const Zpk& zpk, Arithmetic arithmetic, std::string* problem) {
    const QuantizedCascade q = Quantize(zpk, arithmetic);
    if (q.problem != QuantizeProblem::None) {
        *problem = QuantizeProblemText(q.problem, arithmetic);
        return {};
    }
    const char* name = ArithmeticName(arithmetic).c_str();
    std::string text = FormatC("%s: %zu peak-scaled sections", name, q.stored.sections.size());
    text += WordLength(arithmetic) > 0 ? FormatC(", post-shift %d\n", q.postShift) : "\n";
    return text + FormatC("%s stable: %s (largest pole radius %.10g)\n", name,
                          IsStable(q.roots) ? "yes" : "no", LargestPoleRadius(q.roots));
}

} // namespace

int RunInfo(const Invocation& run) {
    const int units[] = {kUnitsCartesian, kUnitsPolarDegrees, kUnitsPolarRadians};
    std::size_t chosen = 1;
    Arithmetic arithmetic = Arithmetic::F64;
    std::string problem;
    if (!run.args.ReadChoice("--units", {"cartesian", "degrees", "radians"}, &chosen, &problem) ||
        !ReadArithmetic(run.args, &arithmetic, &problem)) {
        return run.Misuse(problem);
    }
    const std::string& path = run.args.Operands()[0];
    FNodeList list;
    if (!run.LoadDesign(path, &list)) {
        return kExitFailure;
    }
    std::string text = InfoText(list, units[chosen]);
    if (run.args.Has("--arith")) {
        const std::string quantized = ArithmeticText(Zpk::FromNodeList(list), arithmetic, &problem);
        if (quantized.empty()) {
            return run.Fail(path, problem);
        }
        text += quantized;
    }
    return run.Emit(text);
}

int RunHz(const Invocation& run) {
    FNodeList list;
    if (!run.LoadDesign(run.args.Operands()[0], &list)) {
        return kExitFailure;
    }
    FDEMaker de;
    de.Load(Zpk::FromNodeList(list));
    return run.Emit(TransferFunctionFileText(de));
}

int RunDe(const Invocation& run) {
    const std::string& path = run.args.Operands()[0];
    FNodeList list;
    if (!run.LoadDesign(path, &list)) {
        return kExitFailure;
    }
    FInputResponse response;
    if (!response.Initialize(Zpk::FromNodeList(list))) {
        return run.Fail(path, "Can't show difference equation of non-causal IIR Filter");
    }
    return run.Emit(DifferenceEquationFileText(response));
}
