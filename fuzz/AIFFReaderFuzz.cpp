// libFuzzer target: an AIFF reader over arbitrary bytes.
#include "FuzzFile.h"
#include "ReaderFuzz.h"
#include "audio/CAIFFin.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CAIFFin reader(FuzzFile(data, size));
    ReadEverything(reader);
    return 0;
}
