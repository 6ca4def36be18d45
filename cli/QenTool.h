#pragma once

#include "cli/ExitCode.h"

#include <ostream>
#include <string>
#include <vector>

// Runs the qen command line (args without the program name): finds the command its
// first word names and runs it on the words after it. Results go to out, messages and
// usage to err; returns the process exit code.
int RunQen(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
