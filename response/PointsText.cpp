#include "response/PointsText.h"

#include "core/AtomicFile.h"
#include "core/FormatC.h"

std::string PointsText(const std::vector<FComplex>& samples) {
    std::string text;
    text.reserve(samples.size() * 52);
    for (const FComplex& s : samples) {
        text += FormatC("%+0.20f%+0.20fj\n", s.r, s.i);
    }
    return text;
}

bool WritePointsFile(const char* path, const std::vector<FComplex>& samples) {
    return path != nullptr && WriteFileAtomically(path, PointsText(samples));
}
