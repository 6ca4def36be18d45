#pragma once

#include "response/CInputResponse.h"

// Unit ramp: n at time n.
class CRampResponse : public CInputResponse {
protected:
    double InputAt(int n) const override;
};
