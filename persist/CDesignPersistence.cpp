#include "persist/CDesignPersistence.h"

#include "core/AtomicFile.h"
#include "core/FormatC.h"
#include "core/ScopedCLocale.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <strings.h>

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

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

// The count after the first '=' of a count line: a plain decimal number from 0 to
// the list's capacity.
bool ParseCount(const std::string& line, int* count) {
    const size_t equals = line.find('=');
    if (equals == std::string::npos) {
        return false;
    }
    const char* start = line.c_str() + equals + 1;
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(start, &end, 10);
    if (end == start || errno == ERANGE || value < 0 || value > FNodeList::kMaxNodes) {
        return false;
    }
    *count = static_cast<int>(value);
    return true;
}

bool ParseNodeLine(const std::string& line, const char* pattern, FComplex* value, bool* conjugate) {
    int index = 0;
    double real = 0.0;
    double imag = 0.0;
    int flag = 0;
    int fields = 0;
    {
        ScopedCLocale cLocale;
        fields = std::sscanf(line.c_str(), pattern, &index, &real, &imag, &flag);
    }
    if (fields != 4 || !std::isfinite(real) || !std::isfinite(imag)) {
        return false;
    }
    *value = FComplex(real, imag);
    *conjugate = flag != 0;
    return true;
}

bool Fail(std::string* error, const std::string& reason) {
    if (error != nullptr) {
        *error = reason;
    }
    return false;
}

bool ReadNodes(std::FILE* file, int count, int type, FNodeList* list, std::string* error) {
    const char* pattern = type == kNodePole ? "P%d=%lf, %lf, %d" : "Z%d=%lf, %lf, %d";
    const char* what = type == kNodePole ? "pole" : "zero";
    FNode node(type, FComplex(), false, 1);
    std::string line;
    for (int i = 0; i < count; ++i) {
        if (!ReadLine(file, &line)) {
            return Fail(error, FormatC("the file ends after %d of %d %s lines", i, count, what));
        }
        FComplex value;
        bool conjugate = false;
        if (!ParseNodeLine(line, pattern, &value, &conjugate)) {
            return Fail(error, FormatC("%s line %d is not a valid node: \"%.40s\"", what, i + 1,
                                       line.c_str()));
        }
        node.SetValue(value);
        node.SetConjugate(conjugate);
        list->AddNode(node);
    }
    return true;
}

} // namespace

std::string CDesignPersistence::DesignText(const FNodeList& list) {
    std::string text = FormatC("VERSION=%f \n", 2.0);
    text += FormatC("DESIGN=%s \n", "ZPlane");
    const short poles = list.GetListCount(kNodePole);
    const short zeros = list.GetListCount(kNodeZero);
    text += FormatC("POLECOUNT=%d \n", poles);
    text += FormatC("ZEROCOUNT=%d \n", zeros);
    for (short i = 0; i < poles; ++i) {
        const FNode n = list.GetNodeByIndex(kNodePole, i);
        text += FormatC("P%d=%f, %f, %d \n", i, n.Value().r, n.Value().i, n.Conjugate() ? 1 : 0);
    }
    for (short i = 0; i < zeros; ++i) {
        const FNode n = list.GetNodeByIndex(kNodeZero, i);
        text += FormatC("Z%d=%f, %f, %d \n", i, n.Value().r, n.Value().i, n.Conjugate() ? 1 : 0);
    }
    return text;
}

bool CDesignPersistence::SaveNodeListToFile(const char* fileName, const FNodeList* list) {
    if (fileName == nullptr || list == nullptr) {
        return false;
    }
    return WriteFileAtomically(fileName, DesignText(*list));
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

bool CDesignPersistence::LoadNodeListFromFile(const char* fileName, FNodeList* list,
                                              std::string* error) {
    if (fileName == nullptr || list == nullptr) {
        return Fail(error, "no file or design given");
    }
    FilePtr file(std::fopen(fileName, "r"));
    if (!file) {
        return Fail(error, std::strerror(errno));
    }
    std::string line;
    for (const char* key : {"Version", "Design"}) {
        if (!find_line(file.get(), key, &line)) {
            return Fail(error, FormatC("no %s line", key));
        }
    }
    int poleCount = 0;
    int zeroCount = 0;
    if (!find_line(file.get(), "PoleCount", &line)) {
        return Fail(error, "no PoleCount line");
    }
    if (!ParseCount(line, &poleCount)) {
        return Fail(error, "the pole count is not a number from 0 to 32767");
    }
    if (!find_line(file.get(), "ZeroCount", &line)) {
        return Fail(error, "no ZeroCount line");
    }
    if (!ParseCount(line, &zeroCount)) {
        return Fail(error, "the zero count is not a number from 0 to 32767");
    }
    return ReadNodes(file.get(), poleCount, kNodePole, list, error) &&
           ReadNodes(file.get(), zeroCount, kNodeZero, list, error);
}
