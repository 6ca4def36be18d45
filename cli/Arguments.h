#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

// A command line as OptionReader read it: the operands in order and the options given.
// Its readers check an option's value and say what is wrong with it in the one phrasing
// all commands share.
class Arguments {
public:
    Arguments() = default;
    Arguments(std::vector<std::string> operands, std::map<std::string, std::string> values,
              std::set<std::string> flags);

    const std::vector<std::string>& Operands() const { return mOperands; }
    // True when the option was given, with or without a value.
    bool Has(const std::string& option) const;
    // The value given to the option; null when it was not given.
    const std::string* Value(const std::string& option) const;

    // The readers leave *value as it is when the option was not given. When its value is
    // not of the kind asked for they return false and set *problem to a Refusal.
    // A whole number in decimal digits, from low to high.
    bool ReadWhole(const std::string& option, std::uint64_t low, std::uint64_t high,
                   std::uint64_t* value, std::string* problem) const;
    // A finite decimal number, whatever the locale; what says what it measures ("a number
    // of Hz").
    bool ReadNumber(const std::string& option, const std::string& what, double* value,
                    std::string* problem) const;
    // One of words; *index is its place among them.
    bool ReadChoice(const std::string& option, const std::vector<std::string>& words,
                    std::size_t* index, std::string* problem) const;

    // "OPTION VALUE: requirement", the line for a value a command refuses.
    static std::string Refusal(const std::string& option, const std::string& value,
                               const std::string& requirement);
    // The items as a sentence lists them: "a, b and c" for the conjunction "and".
    static std::string Enumerate(const std::vector<std::string>& items,
                                 const std::string& conjunction);

private:
    std::vector<std::string> mOperands;
    std::map<std::string, std::string> mValues;
    std::set<std::string> mFlags;
};
