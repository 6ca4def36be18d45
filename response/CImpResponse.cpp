#include "response/CImpResponse.h"

double CImpResponse::InputAt(int n) const {
    return n == 0 ? 1.0 : 0.0;
}
