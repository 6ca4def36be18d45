#include "import/JsonCoefficients.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <iterator>
#include <map>

namespace {

using Json = nlohmann::json;

// Reads a text as the parser does, one character at a time, and keeps the place of the
// last character read for the parser's callbacks to find their lines by.
class CountingIterator {
public:
    using iterator_category = std::input_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char*;
    using reference = const char&;

    CountingIterator(const char* at, const char** reached) : mAt(at), mReached(reached) {}
    reference operator*() const { return *mAt; }
    CountingIterator& operator++() {
        *mReached = mAt++;
        return *this;
    }
    CountingIterator operator++(int) {
        CountingIterator before = *this;
        ++*this;
        return before;
    }
    bool operator==(const CountingIterator& other) const { return mAt == other.mAt; }
    bool operator!=(const CountingIterator& other) const { return mAt != other.mAt; }

private:
    const char* mAt;
    const char** mReached;
};

// The parsed text and the lines of its arrays: those of the top object's keys, and in
// order those inside each of them.
struct Parsed {
    Json json;
    int objectLine = 1;
    std::map<std::string, int> keyLines;
    std::map<std::string, std::vector<int>> innerLines;
};

bool Parse(const std::string& text, Parsed* parsed, ImportProblem* problem) {
    const char* reached = text.data();
    const auto lineOf = [&text](const char* at) {
        return 1 + static_cast<int>(std::count(text.data(), at, '\n'));
    };
    std::string key;
    const auto callback = [&](int depth, Json::parse_event_t event, Json& value) {
        if (event == Json::parse_event_t::object_start && depth == 0) {
            parsed->objectLine = lineOf(reached);
        } else if (event == Json::parse_event_t::key && depth == 1) {
            key = value.get<std::string>();
        } else if (event == Json::parse_event_t::array_start && depth == 1) {
            parsed->keyLines[key] = lineOf(reached);
            parsed->innerLines[key].clear();
        } else if (event == Json::parse_event_t::array_start && depth == 2) {
            parsed->innerLines[key].push_back(lineOf(reached));
        }
        return true;
    };
    try {
        parsed->json = Json::parse(CountingIterator(text.data(), &reached),
                                   CountingIterator(text.data() + text.size(), &reached), callback);
    } catch (const Json::parse_error& e) {
        const size_t byte = std::min<size_t>(e.byte, text.size());
        *problem = {lineOf(text.data() + (byte > 0 ? byte - 1 : 0)), "not valid JSON"};
        return false;
    } catch (const Json::exception&) {
        // A number beyond the range of a double.
        *problem = {lineOf(reached), "a number is not finite"};
        return false;
    }
    if (!parsed->json.is_object()) {
        *problem = {1, "not a JSON object"};
        return false;
    }
    return true;
}

// The numbers of an array; false with the problem for anything else.
bool Numbers(const Json& array, const std::string& name, int line, CoefficientRow* row,
             ImportProblem* problem) {
    if (!array.is_array()) {
        *problem = {line, name + " is not an array of numbers"};
        return false;
    }
    row->line = line;
    for (const Json& value : array) {
        if (!value.is_number()) {
            *problem = {line, name + " holds something other than a number"};
            return false;
        }
        row->values.push_back(value.get<double>());
    }
    return true;
}

// The top-level array named key; false with the problem when there is none.
const Json* Member(const Parsed& parsed, const std::string& key, ImportProblem* problem) {
    const auto found = parsed.json.find(key);
    if (found == parsed.json.end()) {
        *problem = {parsed.objectLine, "no \"" + key + "\" in the JSON object"};
        return nullptr;
    }
    return &*found;
}

int KeyLine(const Parsed& parsed, const std::string& key) {
    const auto found = parsed.keyLines.find(key);
    return found != parsed.keyLines.end() ? found->second : parsed.objectLine;
}

} // namespace

bool ReadJsonTransferFunction(const std::string& text, std::vector<CoefficientRow>* rows,
                              ImportProblem* problem) {
    Parsed parsed;
    if (!Parse(text, &parsed, problem)) {
        return false;
    }
    rows->assign(2, CoefficientRow());
    const char* keys[] = {"b", "a"};
    for (size_t k = 0; k < 2; ++k) {
        const Json* array = Member(parsed, keys[k], problem);
        if (array == nullptr ||
            !Numbers(*array, keys[k], KeyLine(parsed, keys[k]), &(*rows)[k], problem)) {
            return false;
        }
    }
    return true;
}

bool ReadJsonSections(const std::string& text, std::vector<CoefficientRow>* rows,
                      ImportProblem* problem) {
    Parsed parsed;
    if (!Parse(text, &parsed, problem)) {
        return false;
    }
    const Json* sos = Member(parsed, "sos", problem);
    if (sos == nullptr) {
        return false;
    }
    const int line = KeyLine(parsed, "sos");
    if (!sos->is_array()) {
        *problem = {line, "sos is not an array of sections"};
        return false;
    }
    const std::vector<int>& lines = parsed.innerLines["sos"];
    rows->clear();
    for (size_t k = 0; k < sos->size(); ++k) {
        if (!Numbers((*sos)[k], "a section", k < lines.size() ? lines[k] : line,
                     &rows->emplace_back(), problem)) {
            return false;
        }
    }
    return true;
}
