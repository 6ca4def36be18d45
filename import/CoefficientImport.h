#pragma once

#include "filter/Zpk.h"
#include "import/CoefficientText.h"

#include <string>
#include <vector>

// A filter made elsewhere, as roots: a Zpk, or the problem that keeps its coefficients
// from making one.
struct CoefficientImport {
    Zpk zpk;
    ImportProblem problem;

    bool Ok() const { return problem.reason.empty(); }
};

// H(z) = B(z^-1) / A(z^-1) from two rows, b then a, in powers of z^-1 as scipy and MATLAB
// write them. Both polynomials are brought to the length of the longer, so the
// difference of their lengths makes roots at the origin, zeros or poles, and H keeps its
// delays; roots at the origin that both have cancel. The roots come from
// RealPolynomialRoots, the gain is the first non-zero b over a0. Refused: not exactly two rows, an
// empty row, a non-finite value, a0 = 0, b all zeros, more than FNodeList::kMaxNodes roots.
CoefficientImport ImportTransferFunction(const std::vector<CoefficientRow>& rows);

// A cascade from rows of six, b0 b1 b2 a0 a1 a2 as qen sos writes them, each section's
// roots solved as quadratics (SosCascade::ToZpk). Refused: no rows, a row of another
// length, a non-finite value, a0 = 0, a numerator of zeros, more than FNodeList::kMaxNodes
// roots.
CoefficientImport ImportSections(const std::vector<CoefficientRow>& rows);

// The same from a whole text, as qen import and the import dialog take it: JSON when its
// first character other than a blank is '{' ({"b": [...], "a": [...]} or
// {"sos": [...]}, JsonCoefficients), else lines of numbers (ReadCoefficientRows). A text
// that cannot be read is refused with the line at fault.
CoefficientImport ImportTransferFunctionText(const std::string& text);
CoefficientImport ImportSectionsText(const std::string& text);
