#pragma once

#include "response/CInputResponse.h"

// Unit impulse: 1 at n = 0, then 0.
class CImpResponse : public CInputResponse {
protected:
    double InputAt(int n) const override;
};
