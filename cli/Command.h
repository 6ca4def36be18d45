#pragma once

#include "cli/Syntax.h"

#include <string>

struct Invocation;

// One qen command: what the help says of it, what its command line accepts and the
// function that runs it.
struct Command {
    const char* name;
    // The usage after "qen ", as qen --help lists it.
    const char* synopsis;
    // One line.
    const char* summary;
    // Further lines for COMMAND --help, each ending in a newline; "" for none.
    const char* details;
    Syntax syntax;
    // Runs the command once its command line was read; returns the exit status.
    int (*run)(const Invocation& invocation);

    // The text of qen NAME --help, also shown after a usage error.
    std::string Usage() const;
};
