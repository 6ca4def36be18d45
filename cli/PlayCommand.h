#pragma once

#include <ostream>
#include <string>
#include <vector>

// qen play DESIGN.pzd INPUT [--loop] [--device NAME] | qen play --list-devices: plays a
// sound file through the design on a sound device, with the desktop program's live
// stream engine, until the file ends (or, looped, until SIGINT or SIGTERM). args starts
// with "play"; returns the process exit code.
int RunPlayCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The usage line and summary shown by qen --help.
extern const char* const kPlaySynopsis;
extern const char* const kPlaySummary;
