#pragma once

#include <ostream>
#include <string>
#include <vector>

// qen filter DESIGN.pzd INPUT OUTPUT [options]: runs the design over a sound file as
// the desktop program's Filter Audio File command does. args starts with "filter";
// returns the process exit code. A progress bar goes to err only when standard error
// is a terminal and --quiet is not given; SIGINT, SIGTERM and SIGHUP stop the run.
int RunFilterCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The usage line and summary shown by qen --help.
extern const char* const kFilterSynopsis;
extern const char* const kFilterSummary;
