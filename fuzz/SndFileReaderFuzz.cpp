// libFuzzer target: the general library's reader over arbitrary bytes, fed from memory.
#include "ReaderFuzz.h"
#include "audio/CSndFile.h"
#include "audio/MemorySource.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CSndFile reader(std::make_unique<MemorySource>(std::vector<uint8_t>(data, data + size)));
    ReadEverything(reader);
    return 0;
}
