#pragma once

#include "core/FNodeList.h"

#include <cstdio>
#include <string>

// Reads and writes the .pzd design file:
//   VERSION=2.000000 / DESIGN=ZPlane / POLECOUNT=n / ZEROCOUNT=m, then n lines
//   "P<i>=<re>, <im>, <conjugate 0|1>" and m lines "Z<i>=...", each line ending in a
//   space. A value is written with six decimals when that reads back to the same
//   double, else with the fewest digits that do, so every design loads as saved.
class CDesignPersistence {
public:
    // Writes the design atomically; true when the whole file landed.
    static bool SaveNodeListToFile(const char* fileName, const FNodeList* list);
    // The design file text for list.
    static std::string DesignText(const FNodeList& list);
    // Adds the file's nodes to list (each at the head, so each list comes out in
    // reverse file order). False when the file cannot be read or is not a valid
    // design; nodes read before the fault stay in list. When error is given it
    // receives a short reason on failure.
    static bool LoadNodeListFromFile(const char* fileName, FNodeList* list,
                                     std::string* error = nullptr);

protected:
    // Reads lines until one begins with key (case-insensitive); false at end of file.
    static bool find_line(std::FILE* file, const char* key, std::string* line);
};
