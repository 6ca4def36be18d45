#pragma once

#include <ostream>
#include <string>
#include <vector>

// qen design FAMILY TYPE --order N --corner HZ [...]: writes a standard design as a
// .pzd file. args starts with "design"; returns the process exit code. An argument
// that cannot make a design exits with kExitUsage and one line naming it.
int RunDesignCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The usage line and summary shown by qen --help.
extern const char* const kDesignSynopsis;
extern const char* const kDesignSummary;
