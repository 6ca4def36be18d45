#pragma once

#include "filter/SosCascade.h"
#include "filter/Zpk.h"

#include <string>

// Why a filter cannot run on sound.
enum class RunProblem { None, NonCausal, Unstable, PeakNotFinite };

// A filter ready to run on sound: its sections scaled to unit peak gain (UnitPeakGain),
// or the reason it cannot run. A filter must be causal, stable (IsStable) and have a
// finite peak gain above 0.
struct RunnableDesign {
    RunProblem problem = RunProblem::None;
    SosCascade cascade;
    // The true peak gain the cascade was divided by; infinite when beyond the range of a
    // double (the division, shared by the sections, still holds).
    double peak = 1.0;
    // The largest pole radius, for the message about an unstable filter.
    double poleRadius = 0.0;
};
RunnableDesign PrepareToRun(const Zpk& zpk);

// The refusal of a filter that cannot run, in one line for a message; empty for None.
std::string RunProblemText(const RunnableDesign& design);
