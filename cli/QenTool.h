#pragma once

#include <ostream>
#include <string>
#include <vector>

// Exit codes of the qen tool.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// Runs the qen command line (args without the program name): finds the command its
// first word names and runs it on the words after it. Results go to out, messages and
// usage to err; returns the process exit code.
int RunQen(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
