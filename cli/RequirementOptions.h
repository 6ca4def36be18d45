#pragma once

#include "cli/Arguments.h"
#include "design/requirement/Requirement.h"

#include <string>

// The options that state a magnitude requirement on qen's command lines: --passband
// F[:F2] and --stopband F[:F2] in Hz (two edges for the band types), --ripple DB (the
// largest passband loss, 1 by default) and --attenuation DB (the smallest stopband
// attenuation, 40 by default).

// Reads them into *req, whose band is set, for use at rate; false with *problem naming
// the option at fault.
bool ReadRequirementOptions(const Arguments& args, double rate, Requirement* req,
                            std::string* problem);

// "OPTION VALUE: requirement" for a requirement that fails CheckAtRate(rate): the
// option as given, or its value in req where it was not given.
std::string RequirementRefusal(const Arguments& args, const Requirement& req, double rate,
                               Requirement::Problem problem);
