#include "cli/Arguments.h"

#include <charconv>
#include <cmath>

namespace {

// from_chars reads the C locale's notation whatever the process locale is, and wants
// the whole text to be the number: no sign, spaces or suffix around it.
template <typename T> bool ParseAll(const std::string& text, T* value) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, *value);
    return error == std::errc() && stop == end;
}

} // namespace

Arguments::Arguments(std::vector<std::string> operands, std::map<std::string, std::string> values,
                     std::set<std::string> flags)
    : mOperands(std::move(operands)), mValues(std::move(values)), mFlags(std::move(flags)) {}

bool Arguments::Has(const std::string& option) const {
    return mValues.count(option) != 0 || mFlags.count(option) != 0;
}

const std::string* Arguments::Value(const std::string& option) const {
    const auto found = mValues.find(option);
    return found != mValues.end() ? &found->second : nullptr;
}

bool Arguments::ReadWhole(const std::string& option, std::uint64_t low, std::uint64_t high,
                          std::uint64_t* value, std::string* problem) const {
    const std::string* text = Value(option);
    if (text == nullptr) {
        return true;
    }
    std::uint64_t v = 0;
    if (!ParseAll(*text, &v) || v < low || v > high) {
        *problem = Refusal(option, *text,
                           "must be a whole number from " + std::to_string(low) + " to " +
                               std::to_string(high));
        return false;
    }
    *value = v;
    return true;
}

bool Arguments::ReadNumber(const std::string& option, const std::string& what, double* value,
                           std::string* problem) const {
    const std::string* text = Value(option);
    if (text == nullptr) {
        return true;
    }
    double v = 0.0;
    if (!ParseAll(*text, &v) || !std::isfinite(v)) {
        *problem = Refusal(option, *text, "must be " + what);
        return false;
    }
    *value = v;
    return true;
}

bool Arguments::ReadChoice(const std::string& option, const std::vector<std::string>& words,
                           std::size_t* index, std::string* problem) const {
    const std::string* text = Value(option);
    if (text == nullptr) {
        return true;
    }
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (*text == words[i]) {
            *index = i;
            return true;
        }
    }
    *problem = Refusal(option, *text, "must be " + Enumerate(words, "or"));
    return false;
}

std::string Arguments::Refusal(const std::string& option, const std::string& value,
                               const std::string& requirement) {
    return option + " " + value + ": " + requirement;
}

std::string Arguments::Enumerate(const std::vector<std::string>& items,
                                 const std::string& conjunction) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const bool last = i + 1 == items.size();
        text += (i == 0 ? "" : last ? " " + conjunction + " " : ", ") + items[i];
    }
    return text;
}
