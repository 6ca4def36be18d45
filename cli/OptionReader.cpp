#include "cli/OptionReader.h"

#include <CLI/CLI.hpp>

namespace {

// The problem with the operands; empty when they fit the syntax.
std::string OperandProblem(const Syntax& syntax, const std::vector<std::string>& operands,
                           const std::set<std::string>& flags) {
    if (syntax.insteadOfOperands != nullptr && flags.count(syntax.insteadOfOperands) != 0) {
        return operands.empty() ? "" : std::string(syntax.insteadOfOperands) + " takes no files";
    }
    if (operands.size() < syntax.operands.size()) {
        return "give " +
               Arguments::Enumerate({syntax.operands.begin(), syntax.operands.end()}, "and");
    }
    const size_t most = syntax.operands.size() + syntax.optionalOperands.size();
    if (operands.size() > most) {
        return "unexpected argument " + operands[most];
    }
    return {};
}

} // namespace

Reading ReadOptions(const Syntax& syntax, const std::vector<std::string>& words, Arguments* args,
                    std::string* problem) {
    CLI::App app;
    // Unknown options are kept aside to be named below, in our words.
    app.allow_extras();
    std::vector<std::string> operands;
    app.add_option("operands", operands);
    std::vector<std::pair<std::string, CLI::Option*>> valueOptions;
    for (const char* name : syntax.valueOptions) {
        // Every occurrence is kept so that a repeated option can be refused.
        valueOptions.emplace_back(
            name, app.add_option(name)->multi_option_policy(CLI::MultiOptionPolicy::TakeAll));
    }
    std::vector<std::pair<std::string, CLI::Option*>> flagOptions;
    for (const char* name : syntax.flags) {
        flagOptions.emplace_back(name, app.add_flag(name));
    }

    std::vector<std::string> reversed(words.rbegin(), words.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        return Reading::HelpAsked;
    } catch (const CLI::ArgumentMismatch&) {
        // An option takes the word after it whatever that is, so a value is missing only
        // when the option is the last word.
        *problem = "option " + words.back().substr(0, words.back().find('=')) + " needs a value";
        return Reading::Misused;
    } catch (const CLI::ParseError& e) {
        *problem = e.what();
        return Reading::Misused;
    }

    for (const std::string& extra : app.remaining()) {
        if (extra != "--") {
            *problem = "unknown option " + extra;
            return Reading::Misused;
        }
    }
    std::map<std::string, std::string> values;
    for (const auto& [name, option] : valueOptions) {
        if (option->count() > 1) {
            *problem = "option " + name + " given twice";
            return Reading::Misused;
        }
        if (option->count() == 1) {
            values[name] = option->results().front();
        }
    }
    std::set<std::string> flags;
    for (const auto& [name, option] : flagOptions) {
        for (const std::string& result : option->results()) {
            // A bare flag reads as "true"; "--quiet=no" would read as given.
            if (result != "true") {
                *problem = "option " + name + " takes no value";
                return Reading::Misused;
            }
            flags.insert(name);
        }
    }
    *problem = OperandProblem(syntax, operands, flags);
    if (!problem->empty()) {
        return Reading::Misused;
    }
    *args = Arguments(std::move(operands), std::move(values), std::move(flags));
    return Reading::Read;
}
