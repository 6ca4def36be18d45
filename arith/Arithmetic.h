#pragma once

#include <string>
#include <vector>

// The number formats a filter runs in: double (f64) and float32 (f32) floating point,
// 16- and 32-bit fixed point (q15, q31).
enum class Arithmetic { F64, F32, Q15, Q31 };

// The names that command lines and files use, in the order of the enum.
const std::vector<std::string>& ArithmeticNames();
const std::string& ArithmeticName(Arithmetic arithmetic);
// The word length W of a fixed-point arithmetic, 16 or 32; 0 for a floating one.
int WordLength(Arithmetic arithmetic);
