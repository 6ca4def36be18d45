// libFuzzer target: the design-file loader over arbitrary bytes, then the analysis of
// whatever it loaded, and the check against the requirement it keeps.
#include "FuzzFile.h"
#include "design/requirement/RequirementCheck.h"
#include "persist/CDesignPersistence.h"
#include "response/FFreqResponse.h"
#include "response/FInputResponse.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = FuzzFile(data, size);
    FNodeList list;
    std::optional<Requirement> req;
    std::string error;
    if (CDesignPersistence::LoadDesignFromFile(path.c_str(), &list, &req, &error)) {
        if (req && req->CheckAtRate(48000) == Requirement::Problem::None) {
            CheckRequirement(Zpk::FromNodeList(list), *req, 48000);
        }
        FFreqResponse response;
        response.Initialize(Zpk::FromNodeList(list), 8);
        FInputResponse filter;
        if (filter.Initialize(Zpk::FromNodeList(list))) {
            filter.GetNextSample(1.0);
        }
    }
    return 0;
}
