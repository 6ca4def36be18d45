#include "import/CoefficientText.h"

#include <charconv>
#include <cmath>

namespace {

bool IsSeparator(char c) {
    return c == ' ' || c == '\t' || c == ',' || c == '\r';
}

} // namespace

bool ReadCoefficientRows(const std::string& text, std::vector<CoefficientRow>* rows,
                         ImportProblem* problem) {
    rows->clear();
    int line = 0;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        ++line;
        CoefficientRow row;
        row.line = line;
        size_t at = start;
        while (at < end) {
            while (at < end && IsSeparator(text[at])) {
                ++at;
            }
            if (at == end || (row.values.empty() && text[at] == '#')) {
                break;
            }
            size_t wordEnd = at;
            while (wordEnd < end && !IsSeparator(text[wordEnd])) {
                ++wordEnd;
            }
            // from_chars takes no leading plus, which C does.
            const size_t numberStart = text[at] == '+' ? at + 1 : at;
            double value = 0.0;
            const auto [stop, error] =
                std::from_chars(text.data() + numberStart, text.data() + wordEnd, value);
            if (error != std::errc() || stop != text.data() + wordEnd || !std::isfinite(value) ||
                numberStart == wordEnd) {
                *problem = {line, "not a finite number: " + text.substr(at, wordEnd - at)};
                return false;
            }
            row.values.push_back(value);
            at = wordEnd;
        }
        if (!row.values.empty()) {
            rows->push_back(row);
        }
        start = end + 1;
    }
    return true;
}
