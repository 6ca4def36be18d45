#include "cli/QenTool.h"

#include "cli/CommandTable.h"
#include "cli/Invocation.h"
#include "cli/OptionReader.h"

namespace {

constexpr const char* kVersion = "qen (WinQEN) 2.0.0";

std::string Usage() {
    std::string text = "Usage: qen COMMAND DESIGN.pzd [OPTIONS]\n"
                       "       qen --help | --version | COMMAND --help\n\nCommands:\n";
    for (const Command& c : Commands()) {
        text += "  qen " + std::string(c.synopsis) + "\n      " + c.summary + "\n";
    }
    text += "\nWithout -o the result goes to standard output. Options may come before or\n"
            "after the files; -- ends them, so a file named -x.wav can follow it.\n"
            "Exit status: 0 on success, 1 on failure, 2 for a usage error.\n";
    return text;
}

} // namespace

int RunQen(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        err << "qen: no command given\n" << Usage();
        return kExitUsage;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        out << Usage();
        return kExitOk;
    }
    if (args[0] == "--version") {
        out << kVersion << "\n";
        return kExitOk;
    }
    const Command* command = FindCommand(args[0]);
    if (command == nullptr) {
        err << "qen: unknown command " << args[0] << "\n" << Usage();
        return kExitUsage;
    }
    Arguments parsed;
    std::string problem;
    const Reading reading =
        ReadOptions(command->syntax, {args.begin() + 1, args.end()}, &parsed, &problem);
    const Invocation invocation{*command, parsed, out, err};
    switch (reading) {
    case Reading::HelpAsked:
        out << command->Usage();
        return kExitOk;
    case Reading::Misused:
        return invocation.Misuse(problem);
    case Reading::Read:
        break;
    }
    return command->run(invocation);
}
