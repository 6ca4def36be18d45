#include "persist/RequirementLine.h"

#include <charconv>
#include <cmath>
#include <strings.h>
#include <vector>

namespace {

constexpr const char* kKey = "SPEC=";
constexpr const char* kBlanks = " \t\r";

// The fewest digits that read back to the same double, in the C locale's notation
// whatever the process locale is.
std::string NumberText(double v) {
    char buffer[64];
    const std::to_chars_result r = std::to_chars(buffer, buffer + sizeof buffer, v);
    return std::string(buffer, r.ptr);
}

std::string EdgesText(const std::array<double, 2>& edges, Requirement::Band band) {
    const std::string first = NumberText(edges[0]);
    return FStandardDesign::IsBand(band) ? first + ":" + NumberText(edges[1]) : first;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + 1) {
        parts.push_back(text.substr(start, at - start));
    }
    parts.push_back(text.substr(start));
    return parts;
}

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool ParseNumber(const std::string& field, double* value) {
    const std::string text = Trimmed(field);
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, *value);
    return !text.empty() && error == std::errc() && stop == end && std::isfinite(*value);
}

bool ParseEdges(const std::string& field, Requirement::Band band, std::array<double, 2>* edges) {
    const std::vector<std::string> parts = Split(field, ':');
    if (parts.size() != (FStandardDesign::IsBand(band) ? 2u : 1u)) {
        return false;
    }
    *edges = {0.0, 0.0};
    for (size_t k = 0; k < parts.size(); ++k) {
        if (!ParseNumber(parts[k], &(*edges)[k])) {
            return false;
        }
    }
    return true;
}

} // namespace

std::string RequirementLine(const Requirement& req) {
    return std::string(kKey) + Requirement::BandName(req.band) + ";" +
           EdgesText(req.passband, req.band) + ";" + EdgesText(req.stopband, req.band) + ";" +
           NumberText(req.rippleDb) + ";" + NumberText(req.attenuationDb) + " \n";
}

bool IsRequirementLine(const std::string& line) {
    return strncasecmp(line.c_str(), kKey, std::char_traits<char>::length(kKey)) == 0;
}

bool ParseRequirementLine(const std::string& line, Requirement* req) {
    if (!IsRequirementLine(line)) {
        return false;
    }
    const std::vector<std::string> fields =
        Split(line.substr(std::char_traits<char>::length(kKey)), ';');
    Requirement s;
    if (fields.size() != 5 || !Requirement::BandNamed(Trimmed(fields[0]), &s.band) ||
        !ParseEdges(fields[1], s.band, &s.passband) ||
        !ParseEdges(fields[2], s.band, &s.stopband) || !ParseNumber(fields[3], &s.rippleDb) ||
        !ParseNumber(fields[4], &s.attenuationDb) || s.Check() != Requirement::Problem::None) {
        return false;
    }
    *req = s;
    return true;
}
