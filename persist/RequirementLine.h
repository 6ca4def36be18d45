#pragma once

#include "design/requirement/Requirement.h"

#include <string>

// The design file's optional requirement line, which keeps a design's requirement with it:
//   SPEC=TYPE;PASSBAND;STOPBAND;RIPPLE;ATTENUATION
// TYPE as Requirement::BandName gives it, band edges in Hz as F (lowpass, highpass)
// or F1:F2 (bandpass, bandstop), ripple and attenuation in dB; numbers in the C locale's
// notation, each with the fewest digits that read back exactly. No sampling rate: the
// edges are in Hz at the rate the design is used with.

// The line, with the trailing space and line break of every design file line.
std::string RequirementLine(const Requirement& req);
// Whether the line begins with "SPEC=" in any letter case.
bool IsRequirementLine(const std::string& line);
// Reads a requirement line; false unless it has exactly the five fields, the edges its type
// takes and values that pass Requirement::Check(). Blanks around fields are allowed.
bool ParseRequirementLine(const std::string& line, Requirement* req);
