#include "cli/QenTool.h"

#include <iostream>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    const int code = RunQen(args, std::cout, std::cerr);
    std::cout.flush();
    if (!std::cout && code == kExitOk) {
        std::cerr << "qen: cannot write to standard output\n";
        return kExitFailure;
    }
    return code;
}
