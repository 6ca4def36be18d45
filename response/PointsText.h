#pragma once

#include "core/FComplex.h"

#include <string>
#include <vector>

// A points file: one line per sample, "%+0.20f%+0.20fj\n" of its real and imaginary
// parts, no header; the line number (from 0) is the sample index.
std::string PointsText(const std::vector<FComplex>& samples);

// Writes PointsText(samples) to path atomically; true when the whole file landed.
bool WritePointsFile(const char* path, const std::vector<FComplex>& samples);
