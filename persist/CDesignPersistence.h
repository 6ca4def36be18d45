#pragma once

#include "core/FNodeList.h"
#include "design/requirement/Requirement.h"

#include <cstdio>
#include <optional>
#include <string>

// Reads and writes the .pzd design file:
//   VERSION=2.000000 / DESIGN=ZPlane / POLECOUNT=n / ZEROCOUNT=m, then n lines
//   "P<i>=<re>, <im>, <conjugate 0|1>" and m lines "Z<i>=...", each line ending in a
//   space. An optional requirement line before POLECOUNT (persist/RequirementLine) keeps the
//   design's magnitude requirement. A value is written with six decimals when that
//   reads back to the same double, else with the fewest digits that do, so every design
//   loads as saved.
class CDesignPersistence {
public:
    // Writes the design atomically; true when the whole file landed.
    static bool SaveNodeListToFile(const char* fileName, const FNodeList* list);
    // The design file text for list.
    static std::string DesignText(const FNodeList& list);
    // The same with a requirement line after the DESIGN line when there is a requirement.
    static std::string DesignText(const FNodeList& list, const std::optional<Requirement>& req);
    // Writes that text atomically; true when the whole file landed.
    static bool SaveDesignToFile(const char* fileName, const FNodeList& list,
                                 const std::optional<Requirement>& req);
    // Adds the file's nodes to list (each at the head, so each list comes out in
    // reverse file order). False when the file cannot be read or is not a valid
    // design; nodes read before the fault stay in list. When error is given it
    // receives a short reason on failure.
    static bool LoadNodeListFromFile(const char* fileName, FNodeList* list,
                                     std::string* error = nullptr);
    // LoadNodeListFromFile, and *req set from the requirement line among the lines before
    // POLECOUNT, nullopt without one; untouched on failure. A malformed requirement line, or a
    // second one, refuses the file (also for LoadNodeListFromFile).
    static bool LoadDesignFromFile(const char* fileName, FNodeList* list,
                                   std::optional<Requirement>* req, std::string* error = nullptr);

protected:
    // Reads lines until one begins with key (case-insensitive); false at end of file.
    static bool find_line(std::FILE* file, const char* key, std::string* line);

private:
    // The header and node lines, without looking at a requirement line.
    static bool LoadNodes(const char* fileName, FNodeList* list, std::string* error);
};
