#pragma once

#include "cli/Arguments.h"
#include "design/spec/Specification.h"

#include <string>

// The options that state a magnitude specification on qen's command lines: --passband
// F[:F2] and --stopband F[:F2] in Hz (two edges for the band types), --ripple DB (the
// largest passband loss, 1 by default) and --attenuation DB (the smallest stopband
// attenuation, 40 by default).

// Reads them into *spec, whose band is set, for use at rate; false with *problem naming
// the option at fault.
bool ReadSpecificationOptions(const Arguments& args, double rate, Specification* spec,
                              std::string* problem);

// "OPTION VALUE: requirement" for a specification that fails CheckAtRate(rate): the
// option as given, or its value in spec where it was not given.
std::string SpecificationRefusal(const Arguments& args, const Specification& spec, double rate,
                                 Specification::Problem problem);
