#pragma once

#include <vector>

// What a command accepts after its name, as OptionReader checks it.
struct Syntax {
    // The operands in order, as a message asks for them ("a design file").
    std::vector<const char*> operands = {};
    // Operands that may follow those, in order (check's TYPE).
    std::vector<const char*> optionalOperands = {};
    // Options that take one value each ("--rate", "-o"); each may be given once.
    std::vector<const char*> valueOptions = {};
    // Options without a value.
    std::vector<const char*> flags = {};
    // One of the flags that stands instead of the operands (play's --list-devices); null
    // when there is none.
    const char* insteadOfOperands = nullptr;
};
