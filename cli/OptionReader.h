#pragma once

#include "cli/Arguments.h"
#include "cli/Syntax.h"

#include <string>
#include <vector>

enum class Reading { Read, HelpAsked, Misused };

// Reads the words after a command's name against its syntax. Options may stand before,
// between and after the operands, a value as the next word or after '=' ("--rate=8000");
// "--" ends the options, so every word after it is an operand. -h or --help before "--"
// asks for help. Fills *args for Reading::Read; for Reading::Misused *problem is one
// line such as "unknown option --x".
Reading ReadOptions(const Syntax& syntax, const std::vector<std::string>& words, Arguments* args,
                    std::string* problem);
