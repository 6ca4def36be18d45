// libFuzzer target: the design-file loader over arbitrary bytes, then the analysis of
// whatever it loaded.
#include "FuzzFile.h"
#include "persist/CDesignPersistence.h"
#include "response/FFreqResponse.h"
#include "response/FInputResponse.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = FuzzFile(data, size);
    FNodeList list;
    std::string error;
    if (CDesignPersistence::LoadNodeListFromFile(path.c_str(), &list, &error)) {
        FFreqResponse response;
        response.Initialize(Zpk::FromNodeList(list), 8);
        FInputResponse filter;
        if (filter.Initialize(Zpk::FromNodeList(list))) {
            filter.GetNextSample(1.0);
        }
    }
    return 0;
}
