#pragma once

#include <ostream>
#include <string>
#include <vector>

// Exit codes of the qen tool.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

class FNodeList;

// Loads a design file into list; false with "qen: PATH: reason" written to err.
bool LoadDesign(const std::string& path, FNodeList* list, std::ostream& err);

// True when a command's arguments are its name and --help or -h alone.
bool AsksForHelp(const std::vector<std::string>& args);

// A finite decimal number in the C locale; false for anything else or a non-finite value.
bool ParseDouble(const std::string& text, double* value);

// Writes a command's text to path atomically, or to out when path is null or "-"; false
// with a message on err when the file could not be written.
bool EmitResult(const std::string* path, const std::string& text, std::ostream& out,
                std::ostream& err);

// Runs the qen command line (args without the program name). Results go to out,
// messages and usage to err; returns the process exit code.
int RunQen(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
