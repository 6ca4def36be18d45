// libFuzzer target: the Cartesian complex-number parser over arbitrary text.
#include "core/FComplex.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    FComplex value;
    if (FComplex::IsValidCpxString(text.c_str(), &value) && !value.IsFinite()) {
        __builtin_trap();
    }
    return 0;
}
