#include "text/SectionText.h"

#include "core/FormatC.h"

namespace {

std::string Coefficients(const FBiquad& s, const char* separator) {
    return FormatC("%.17g%s%.17g%s%.17g%s%.17g%s%.17g%s%.17g", s.b[0].r, separator, s.b[1].r,
                   separator, s.b[2].r, separator, s.a[0].r, separator, s.a[1].r, separator,
                   s.a[2].r);
}

} // namespace

std::string SectionsText(const SosCascade& cascade) {
    const std::vector<FBiquad> sections = cascade.GainFolded();
    std::string text;
    for (const FBiquad& s : sections) {
        text += Coefficients(s, " ") + "\n";
    }
    return text;
}

std::string SectionsJson(const SosCascade& cascade) {
    const std::vector<FBiquad> sections = cascade.GainFolded();
    std::string text = "{\"sos\": [";
    for (size_t k = 0; k < sections.size(); ++k) {
        text += (k == 0 ? "[" : ", [") + Coefficients(sections[k], ", ") + "]";
    }
    return text + "]}\n";
}
