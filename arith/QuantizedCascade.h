#pragma once

#include "arith/Arithmetic.h"
#include "filter/SosCascade.h"
#include "filter/Zpk.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Why a design cannot run in an arithmetic.
enum class QuantizeProblem { None, NonCausal, Unpaired, PeakNotFinite, OutOfRange };

// A design as one arithmetic runs it: its peak-scaled sections (PeakScaled), every
// coefficient stored as the arithmetic stores it. f64 keeps the doubles; f32 rounds each
// to the nearest float. q15 and q31 (word length W = 16, 32) take the coefficients
// {b0, b1, b2, a1', a2'} with a1' = -a1, a2' = -a2, choose the smallest post-shift
// s >= 0 for which every coefficient c gives round(c * 2^(W-1-s)) (half away from zero)
// within the W-bit signed range, and store those integers.
struct QuantizedCascade {
    Arithmetic arithmetic = Arithmetic::F64;
    QuantizeProblem problem = QuantizeProblem::None;
    // The stored coefficients as values, a0 = 1, gain 1: for q15 and q31 each integer
    // times 2^-(W-1-s), with a1 = -a1' and a2 = -a2'.
    SosCascade stored;
    // q15 and q31: per section the integers {b0, b1, b2, a1', a2'}, and the post-shift.
    std::vector<std::array<std::int32_t, 5>> integers;
    int postShift = 0;
    // The filter the stored coefficients make, as roots (SosCascade::ToZpk) with the
    // gain that takes the peak scaling back out: its response compares with the
    // design's, and its poles tell whether it is stable.
    Zpk roots;
};

// The design in the arithmetic, or only the problem: NonCausal; Unpaired for a complex
// root without its conjugate in any arithmetic but f64 (which runs such sections in
// complex arithmetic); PeakNotFinite (PeakScaled); OutOfRange for a coefficient beyond
// what the arithmetic stores (a float's range, or 2^(W-1) at the largest post-shift,
// W - 1).
QuantizedCascade Quantize(const Zpk& zpk, Arithmetic arithmetic);

// The refusal of a design with that problem, in one line; empty for None.
std::string QuantizeProblemText(QuantizeProblem problem, Arithmetic arithmetic);
