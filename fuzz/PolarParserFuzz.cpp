// libFuzzer target: the polar complex-number parser over arbitrary text, in both units.
#include "core/FComplex.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const bool radians : {false, true}) {
        FComplex value;
        if (FComplex::IsValidPolarString(text.c_str(), &value, radians) && !value.IsFinite()) {
            __builtin_trap();
        }
    }
    return 0;
}
