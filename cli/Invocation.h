#pragma once

#include "cli/Arguments.h"
#include "design/requirement/Requirement.h"

#include <optional>
#include <ostream>
#include <string>

struct Command;
class FNodeList;

// One run of a command: the arguments read from its command line, the streams its
// results (out) and messages (err) go to, and the steps that commands share.
struct Invocation {
    const Command& command;
    const Arguments& args;
    std::ostream& out;
    std::ostream& err;

    // Writes "qen NAME: problem" and the command's usage to err; returns kExitUsage.
    int Misuse(const std::string& problem) const;
    // Writes "qen: FILE: message" to err; returns kExitFailure.
    int Fail(const std::string& file, const std::string& message) const;
    // Loads a design file; false with a line naming the file and the reason on err.
    bool LoadDesign(const std::string& path, FNodeList* list) const;
    // The same, and the requirement the file keeps (nullopt when it keeps none).
    bool LoadDesign(const std::string& path, FNodeList* list,
                    std::optional<Requirement>* req) const;
    // Writes a command's whole result to the file -o names, replacing it only once all is
    // written, or to out without -o or with "-o -". Returns kExitOk, or kExitFailure with
    // a line on err when the file could not be written.
    int Emit(const std::string& text) const;
};
