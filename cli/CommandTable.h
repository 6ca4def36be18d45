#pragma once

#include "cli/Command.h"

#include <string>
#include <vector>

// Every qen command, in the order qen --help lists them. A new command is one row in
// this table and its run function.
const std::vector<Command>& Commands();

// The command of that name; null when there is none.
const Command* FindCommand(const std::string& name);
