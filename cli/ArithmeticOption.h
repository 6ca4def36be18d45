#pragma once

#include "arith/Arithmetic.h"

#include <string>

class Arguments;

// Reads --arith f64|f32|q15|q31 into *arithmetic, which stays as it is when the option
// is not given; false with the refusal in *problem for another value.
bool ReadArithmetic(const Arguments& args, Arithmetic* arithmetic, std::string* problem);
