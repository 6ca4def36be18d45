#pragma once

#include "import/CoefficientText.h"

#include <string>
#include <vector>

// Coefficients in JSON, read through nlohmann-json (the only code that sees it). Other
// keys of the object are ignored, so what qen export and qen sos write reads back. A
// row's line is that of its opening bracket. False, with the line and the reason in
// *problem, for text that is not JSON or lacks the arrays of numbers.

// {"b": [...], "a": [...]}: the rows b and a.
bool ReadJsonTransferFunction(const std::string& text, std::vector<CoefficientRow>* rows,
                              ImportProblem* problem);
// {"sos": [[b0, b1, b2, a0, a1, a2], ...]}: one row per section.
bool ReadJsonSections(const std::string& text, std::vector<CoefficientRow>* rows,
                      ImportProblem* problem);
