#pragma once

#include <ostream>
#include <string>
#include <vector>

// qen sos DESIGN.pzd [--format text|json] [--normalize] [-o FILE]: prints the
// second-order sections the design runs as. args starts with "sos"; returns the
// process exit code.
int RunSosCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The usage line and summary shown by qen --help.
extern const char* const kSosSynopsis;
extern const char* const kSosSummary;
