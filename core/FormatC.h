#pragma once

#include <string>

// printf-style formatting into a std::string, always with the "C" locale's decimal
// point. Every number the program writes to a file or shows as text goes through here.
std::string FormatC(const char* format, ...) __attribute__((format(printf, 1, 2)));
