#pragma once

#include <string>

// printf-style formatting into a std::string, always with the "C" locale's decimal
// point. Every number the program writes to a file or shows as text goes through here.
std::string FormatC(const char* format, ...) __attribute__((format(printf, 1, 2)));

// A number as the dialogs show it: four decimals ("%.4f"), or where those would show a
// value other than 0 as 0, four decimals of scientific notation ("%.4e").
std::string FourDecimals(double value);
