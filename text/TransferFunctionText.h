#pragma once

#include "filter/FDEMaker.h"

#include <string>

// A polynomial of H(z) as the dialog shows it, in descending powers of z, real parts
// only, four decimals (scientific notation where they would show a non-zero value as
// 0), terms whose real part is exactly 0 left out, every term signed and followed by
// one space: "+1.0000*z^2 -1.0000*z +0.5000 ".
std::string ZeroPolyText(const FDEMaker& de);
std::string PolePolyText(const FDEMaker& de);

// The three-line .hz file, always in four decimals: "H(z) = " and the numerator, a bar of dashes
// one longer than the numerator text after six spaces, and the denominator after seven spaces.
std::string TransferFunctionFileText(const FDEMaker& de);
