// libFuzzer target: a WAV reader over arbitrary bytes.
#include "FuzzFile.h"
#include "ReaderFuzz.h"
#include "audio/CWAVin.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CWAVin reader(FuzzFile(data, size));
    ReadEverything(reader);
    return 0;
}
