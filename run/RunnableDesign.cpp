#include "run/RunnableDesign.h"

#include "core/FormatC.h"
#include "filter/PeakGain.h"
#include "filter/Stability.h"

RunnableDesign PrepareToRun(const Zpk& zpk) {
    RunnableDesign design;
    design.poleRadius = LargestPoleRadius(zpk);
    if (!zpk.Causal()) {
        design.problem = RunProblem::NonCausal;
        return design;
    }
    if (!IsStable(zpk)) {
        design.problem = RunProblem::Unstable;
        return design;
    }
    const UnitPeak unit = UnitPeakGain(zpk);
    if (unit.problem != PeakProblem::None) {
        design.problem = RunProblem::PeakNotFinite;
        return design;
    }
    design.cascade = SosCascade::FromZpk(zpk)->DividedBy(unit.peak);
    design.peak = unit.peak.ToDouble();
    return design;
}

std::string RunProblemText(const RunnableDesign& design) {
    switch (design.problem) {
    case RunProblem::None:
        break;
    case RunProblem::NonCausal:
        return "Can't filter audio using a non-causal IIR filter";
    case RunProblem::Unstable:
        return FormatC("Can't filter audio using an unstable IIR filter (largest pole radius "
                       "%.10g)",
                       design.poleRadius);
    case RunProblem::PeakNotFinite:
        return "Can't filter audio using this design: its peak gain is 0 or not finite";
    }
    return {};
}
