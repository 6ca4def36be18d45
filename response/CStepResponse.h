#pragma once

#include "response/CInputResponse.h"

// Unit step: 1 at every n.
class CStepResponse : public CInputResponse {
protected:
    double InputAt(int n) const override;
};
