#pragma once

#include "arith/QuantizedCascade.h"

#include <string>

// A self-contained C99 header that runs a quantized cascade (Quantize, real sections,
// no problem) bit for bit as QuantizedFilter does, in double for f64. For the C
// identifier name it declares NAME_SECTIONS, NAME_state, NAME_coefficients,
// static inline NAME_init (zeroes the state) and NAME_process (one channel; in and out
// may be the same array), and for q15 and q31 NAME_POST_SHIFT. designName appears in
// its first comment.
std::string CHeaderText(const QuantizedCascade& cascade, const std::string& name,
                        const std::string& designName);
