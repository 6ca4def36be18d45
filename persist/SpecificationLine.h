#pragma once

#include "design/spec/Specification.h"

#include <string>

// The design file's optional SPEC line, which keeps a design's specification with it:
//   SPEC=TYPE;PASSBAND;STOPBAND;RIPPLE;ATTENUATION
// TYPE as Specification::BandName gives it, band edges in Hz as F (lowpass, highpass)
// or F1:F2 (bandpass, bandstop), ripple and attenuation in dB; numbers in the C locale's
// notation, each with the fewest digits that read back exactly. No sampling rate: the
// edges are in Hz at the rate the design is used with.

// The line, with the trailing space and line break of every design file line.
std::string SpecificationLine(const Specification& spec);
// Whether the line begins with "SPEC=" in any letter case.
bool IsSpecificationLine(const std::string& line);
// Reads a SPEC line; false unless it has exactly the five fields, the edges its type
// takes and values that pass Specification::Check(). Blanks around fields are allowed.
bool ParseSpecificationLine(const std::string& line, Specification* spec);
