#include "cli/ArithmeticOption.h"

#include "cli/Arguments.h"

bool ReadArithmetic(const Arguments& args, Arithmetic* arithmetic, std::string* problem) {
    std::size_t index = static_cast<std::size_t>(*arithmetic);
    if (!args.ReadChoice("--arith", ArithmeticNames(), &index, problem)) {
        return false;
    }
    *arithmetic = static_cast<Arithmetic>(index);
    return true;
}
