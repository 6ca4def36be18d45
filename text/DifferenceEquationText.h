#pragma once

#include "response/FInputResponse.h"

#include <string>

// The difference equation of a ready evaluator, real parts only, four decimals
// (scientific notation where they would show a non-zero coefficient as 0).
// One line for the screen, every term behind a literal '+':
//   "y[n] = +0.0000*x[n] +1.0000*x[n-1] +0.5000*y[n-1] "
std::string DifferenceEquationLine(const FInputResponse& response);

// The .de file text: signed coefficients, a line break and tab after every even delay
// of each block, and one more between the input and the feedback block.
std::string DifferenceEquationFileText(const FInputResponse& response);
