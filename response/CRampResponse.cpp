#include "response/CRampResponse.h"

double CRampResponse::InputAt(int n) const {
    return static_cast<double>(n);
}
