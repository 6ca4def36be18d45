#include "arith/Arithmetic.h"

const std::vector<std::string>& ArithmeticNames() {
    static const std::vector<std::string> names = {"f64", "f32", "q15", "q31"};
    return names;
}

const std::string& ArithmeticName(Arithmetic arithmetic) {
    return ArithmeticNames()[static_cast<std::size_t>(arithmetic)];
}

int WordLength(Arithmetic arithmetic) {
    switch (arithmetic) {
    case Arithmetic::Q15:
        return 16;
    case Arithmetic::Q31:
        return 32;
    case Arithmetic::F64:
    case Arithmetic::F32:
        break;
    }
    return 0;
}
