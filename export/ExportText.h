#pragma once

#include "arith/QuantizedCascade.h"

#include <string>
#include <vector>

// The texts qen export writes of a design's peak-scaled sections in an arithmetic.
enum class ExportFormat { C, Python, Json, Csv };

// The format names command lines use, in the order of the enum.
const std::vector<std::string>& ExportFormatNames();

// The C identifier of a design file's path: its base name without the extension, each
// character other than a letter, digit or underscore made an underscore, with "filter_"
// before a leading digit; "filter" for an empty name.
std::string ExportName(const std::string& path);
// True for a C identifier: letters, digits and underscores, not starting with a digit.
bool IsExportName(const std::string& name);

// The text of a quantized cascade (Quantize, real sections, no problem):
//  - C: CHeaderText;
//  - Python: a module defining sos, one row [b0, b1, b2, a0, a1, a2] per section with the
//    coefficients as the arithmetic stores them, for scipy.signal.sosfilt(sos, x), and
//    for q15 and q31 coefficients (per section the words [b0, b1, b2, a1', a2']) and
//    post_shift;
//  - JSON: {"arith": A, "sos": [...]} and for q15 and q31 "post_shift" and
//    "coefficients" likewise;
//  - CSV: one line b0,b1,b2,a0,a1,a2 per section.
// Values have 17 significant digits, which read back to the same doubles. name is the
// C identifier; designName (a file name) appears in the comments of C and Python.
std::string ExportText(const QuantizedCascade& cascade, ExportFormat format,
                       const std::string& name, const std::string& designName);
