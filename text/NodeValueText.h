#pragma once

#include "core/FComplex.h"

#include <string>

// Display units, also the menu command ids that choose them.
inline constexpr int kUnitsPolarRadians = 124;
inline constexpr int kUnitsPolarDegrees = 125;
inline constexpr int kUnitsCartesian = 126;

// A node's value as the lists show it: "0.5000 -0.2500j" (cartesian),
// "1.0000 1.5708 rad" (polar radians) or "1.0000 90.0000 deg" (polar degrees, also
// used for any other units value).
std::string NodeValueText(FComplex value, int units);
// The same at full precision (17 significant digits), for a tooltip.
std::string FullNodeValueText(FComplex value, int units);

// Parses text typed for a value in the given units; false when it is not valid.
bool ParseNodeValue(const char* text, int units, FComplex* value);
