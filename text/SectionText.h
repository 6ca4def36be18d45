#pragma once

#include "filter/SosCascade.h"

#include <string>
#include <vector>

// Second-order sections as text, the real parts of their coefficients with 17
// significant digits, so that they read back to the same doubles.

// Why a design has no sections to show: it is not causal, or it has complex
// coefficients that the real layout cannot hold.
inline constexpr const char* kNonCausalSectionsText =
    "Can't show difference equation of non-causal IIR Filter";
inline constexpr const char* kUnpairedSectionsText =
    "Can't show real second-order sections: a complex root has no conjugate";

// One line per section: "b0 b1 b2 a0 a1 a2", the coefficients of z^0, z^-1, z^-2, the
// cascade's gain folded into the first section.
std::string SectionsText(const SosCascade& cascade);
// {"sos": [[b0, b1, b2, a0, a1, a2], ...]} and a line break, the gain folded likewise.
std::string SectionsJson(const SosCascade& cascade);
