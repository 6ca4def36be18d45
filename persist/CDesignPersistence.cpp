#include "persist/CDesignPersistence.h"

#include "core/AtomicFile.h"
#include "core/FormatC.h"
#include "core/Printable.h"
#include "core/ScopedCLocale.h"
#include "persist/RequirementLine.h"

#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <strings.h>
#include <vector>

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

constexpr const char* kBlanks = " \t\r";

// Reads one whole line (without its line break) however long it is; false at end of
// file with nothing read.
bool ReadLine(std::FILE* file, std::string* line) {
    line->clear();
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, file) != nullptr) {
        line->append(buffer);
        if (!line->empty() && line->back() == '\n') {
            line->pop_back();
            return true;
        }
    }
    return !line->empty();
}

// The count after the first '=' of a count line: a whole decimal number from 0 to the
// list's capacity, with nothing but blanks around it.
bool ParseCount(const std::string& line, int* count) {
    const size_t equals = line.find('=');
    if (equals == std::string::npos) {
        return false;
    }
    const size_t first = line.find_first_not_of(kBlanks, equals + 1);
    const size_t last = line.find_last_not_of(kBlanks);
    if (first == std::string::npos || last - first >= 5) {
        return false;
    }
    int value = 0;
    for (size_t i = first; i <= last; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(line[i]))) {
            return false;
        }
        value = value * 10 + (line[i] - '0');
    }
    if (value > FNodeList::kMaxNodes) {
        return false;
    }
    *count = value;
    return true;
}

// A number field: optional blanks around one whole finite C-locale number.
bool ParseNumber(const std::string& field, double* value) {
    const size_t first = field.find_first_not_of(kBlanks);
    const size_t last = field.find_last_not_of(kBlanks);
    if (first == std::string::npos) {
        return false;
    }
    const std::string text = field.substr(first, last - first + 1);
    ScopedCLocale cLocale;
    char* end = nullptr;
    *value = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && std::isfinite(*value);
}

// "P<index>=<re>, <im>, <0|1>" (Z for zeros, either letter in any case): exactly
// three comma-separated fields. Anything else, such as the decimal commas of
// "P0=0,5, 0,5, 1", is refused rather than read as other values.
bool ParseNodeLine(const std::string& line, char letter, FComplex* value, bool* conjugate) {
    size_t pos = 0;
    if (line.empty() || std::toupper(static_cast<unsigned char>(line[0])) != letter) {
        return false;
    }
    for (pos = 1; pos < line.size() && std::isdigit(static_cast<unsigned char>(line[pos])); ++pos) {
    }
    if (pos == 1 || pos >= line.size() || line[pos] != '=') {
        return false;
    }
    std::vector<std::string> fields;
    size_t start = pos + 1;
    for (size_t comma; (comma = line.find(',', start)) != std::string::npos; start = comma + 1) {
        fields.push_back(line.substr(start, comma - start));
    }
    fields.push_back(line.substr(start));
    double real = 0.0;
    double imag = 0.0;
    if (fields.size() != 3 || !ParseNumber(fields[0], &real) || !ParseNumber(fields[1], &imag)) {
        return false;
    }
    const size_t first = fields[2].find_first_not_of(kBlanks);
    const size_t last = fields[2].find_last_not_of(kBlanks);
    if (first == std::string::npos || first != last ||
        (fields[2][first] != '0' && fields[2][first] != '1')) {
        return false;
    }
    *value = FComplex(real, imag);
    *conjugate = fields[2][first] == '1';
    return true;
}

// A number as "%f" writes it when that reads back to the same double, so that typed
// designs keep their files; otherwise the fewest digits that read back exactly.
std::string NumberText(double v) {
    const std::string fixed = FormatC("%f", v);
    double back = 0.0;
    if (ParseNumber(fixed, &back) && back == v) {
        return fixed;
    }
    char buffer[64];
    const std::to_chars_result r = std::to_chars(buffer, buffer + sizeof buffer, v);
    return std::string(buffer, r.ptr);
}

bool Fail(std::string* error, const std::string& reason) {
    if (error != nullptr) {
        *error = reason;
    }
    return false;
}

bool ReadNodes(std::FILE* file, int count, int type, FNodeList* list, std::string* error) {
    const char letter = type == kNodePole ? 'P' : 'Z';
    const char* what = type == kNodePole ? "pole" : "zero";
    FNode node(type, FComplex(), false, 1);
    std::string line;
    for (int i = 0; i < count; ++i) {
        if (!ReadLine(file, &line)) {
            return Fail(error, FormatC("the file ends after %d of %d %s lines", i, count, what));
        }
        FComplex value;
        bool conjugate = false;
        if (!ParseNodeLine(line, letter, &value, &conjugate)) {
            return Fail(error, FormatC("%s line %d is not a valid node: \"%s\"", what, i + 1,
                                       Printable(line.substr(0, 40)).c_str()));
        }
        node.SetValue(value);
        node.SetConjugate(conjugate);
        list->AddNode(node);
    }
    return true;
}

std::string NodeLine(char letter, int index, const FNode& n) {
    return FormatC("%c%d=%s, %s, %d \n", letter, index, NumberText(n.Value().r).c_str(),
                   NumberText(n.Value().i).c_str(), n.Conjugate() ? 1 : 0);
}

} // namespace

std::string CDesignPersistence::DesignText(const FNodeList& list) {
    return DesignText(list, std::nullopt);
}

std::string CDesignPersistence::DesignText(const FNodeList& list,
                                           const std::optional<Requirement>& req) {
    std::string text = FormatC("VERSION=%f \n", 2.0);
    text += FormatC("DESIGN=%s \n", "ZPlane");
    if (req) {
        text += RequirementLine(*req);
    }
    const short poles = list.GetListCount(kNodePole);
    const short zeros = list.GetListCount(kNodeZero);
    text += FormatC("POLECOUNT=%d \n", poles);
    text += FormatC("ZEROCOUNT=%d \n", zeros);
    for (short i = 0; i < poles; ++i) {
        const FNode n = list.GetNodeByIndex(kNodePole, i);
        text += NodeLine('P', i, n);
    }
    for (short i = 0; i < zeros; ++i) {
        const FNode n = list.GetNodeByIndex(kNodeZero, i);
        text += NodeLine('Z', i, n);
    }
    return text;
}

bool CDesignPersistence::SaveNodeListToFile(const char* fileName, const FNodeList* list) {
    if (fileName == nullptr || list == nullptr) {
        return false;
    }
    return WriteFileAtomically(fileName, DesignText(*list));
}

bool CDesignPersistence::SaveDesignToFile(const char* fileName, const FNodeList& list,
                                          const std::optional<Requirement>& req) {
    return fileName != nullptr && WriteFileAtomically(fileName, DesignText(list, req));
}

bool CDesignPersistence::find_line(std::FILE* file, const char* key, std::string* line) {
    const size_t length = std::strlen(key);
    while (ReadLine(file, line)) {
        if (line->size() >= length && strncasecmp(line->c_str(), key, length) == 0) {
            return true;
        }
    }
    return false;
}

namespace {

// The requirement line among the lines before the PoleCount line, read in a pass of its own so
// that the header reading stays as it is.
bool ReadRequirement(const char* fileName, std::optional<Requirement>* req, std::string* error) {
    FilePtr file(std::fopen(fileName, "r"));
    if (!file) {
        return Fail(error, std::strerror(errno));
    }
    std::string line;
    for (bool first = true; ReadLine(file.get(), &line); first = false) {
        if (first && line.rfind("\xEF\xBB\xBF", 0) == 0) {
            line.erase(0, 3);
        }
        if (strncasecmp(line.c_str(), "PoleCount", 9) == 0) {
            break;
        }
        if (!IsRequirementLine(line)) {
            continue;
        }
        Requirement read;
        if (req->has_value()) {
            return Fail(error, "a second SPEC line");
        }
        if (!ParseRequirementLine(line, &read)) {
            return Fail(error, FormatC("the SPEC line is not valid: \"%.60s\"", line.c_str()));
        }
        *req = read;
    }
    return true;
}

} // namespace

bool CDesignPersistence::LoadNodeListFromFile(const char* fileName, FNodeList* list,
                                              std::string* error) {
    std::optional<Requirement> req;
    return LoadDesignFromFile(fileName, list, &req, error);
}

bool CDesignPersistence::LoadDesignFromFile(const char* fileName, FNodeList* list,
                                            std::optional<Requirement>* req, std::string* error) {
    if (fileName == nullptr || list == nullptr || req == nullptr) {
        return Fail(error, "no file or design given");
    }
    std::optional<Requirement> read;
    if (!ReadRequirement(fileName, &read, error) || !LoadNodes(fileName, list, error)) {
        return false;
    }
    *req = read;
    return true;
}

bool CDesignPersistence::LoadNodes(const char* fileName, FNodeList* list, std::string* error) {
    FilePtr file(std::fopen(fileName, "r"));
    if (!file) {
        return Fail(error, std::strerror(errno));
    }
    // A byte-order mark, as editors saving "UTF-8 with BOM" write, is not part of
    // the first line.
    char bom[3] = {};
    if (std::fread(bom, 1, 3, file.get()) != 3 || std::memcmp(bom, "\xEF\xBB\xBF", 3) != 0) {
        std::rewind(file.get());
    }
    // Each header key once, in this order; other lines among them are skipped.
    static constexpr const char* kKeys[] = {"Version", "Design", "PoleCount", "ZeroCount"};
    int keyLine[4] = {};
    std::string counts[2];
    std::string line;
    int next = 0;
    for (int number = 1; next < 4 && ReadLine(file.get(), &line); ++number) {
        int key = 0;
        while (key < 4 && strncasecmp(line.c_str(), kKeys[key], std::strlen(kKeys[key])) != 0) {
            ++key;
        }
        if (key == 4) {
            continue;
        }
        if (keyLine[key] != 0) {
            return Fail(error, FormatC("line %d: a second %s line (the first is line %d)", number,
                                       kKeys[key], keyLine[key]));
        }
        if (key > next) {
            return Fail(error,
                        find_line(file.get(), kKeys[next], &line)
                            ? FormatC("line %d: the %s line is out of order (%s comes first)",
                                      number, kKeys[key], kKeys[next])
                            : FormatC("no %s line", kKeys[next]));
        }
        keyLine[key] = number;
        next = key + 1;
        if (key >= 2) {
            counts[key - 2] = line;
        }
    }
    if (next < 4) {
        return Fail(error, FormatC("no %s line", kKeys[next]));
    }
    int poleCount = 0;
    int zeroCount = 0;
    if (!ParseCount(counts[0], &poleCount)) {
        return Fail(error, "the pole count is not a number from 0 to 32767");
    }
    if (!ParseCount(counts[1], &zeroCount)) {
        return Fail(error, "the zero count is not a number from 0 to 32767");
    }
    return ReadNodes(file.get(), poleCount, kNodePole, list, error) &&
           ReadNodes(file.get(), zeroCount, kNodeZero, list, error);
}
