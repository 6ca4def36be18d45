#pragma once

#include <string>
#include <string_view>

// Bytes taken from a file for a message, with every byte outside printable ASCII
// written as \xNN, so that a message stays one line and sends no control sequence to
// a terminal.
std::string Printable(std::string_view bytes);
