#pragma once

#include "core/FComplex.h"
#include "core/FNodeList.h"

#include <vector>

// The roots of a design, each conjugate node giving two, and H(z) evaluated as the
// product of (z - zero) / (z - pole) over them. Working from the roots rather than
// from the expanded polynomials keeps full precision however many roots lie close
// together: the rounding is that of one product, not that of the coefficients.
class FRootSet {
public:
    FRootSet() = default;
    explicit FRootSet(const FNodeList& list);

    // H(z). Exactly on a zero it is 0, exactly on a pole infinite (+inf + 0j); a pole
    // and a zero on the same point cancel there as they do everywhere else.
    FComplex Evaluate(FComplex z) const;
    // H(e^jw) for w in radians per sample; at 0, pi/2 and pi, z is exactly 1, j, -1.
    FComplex OnCircle(double omega) const;

    const std::vector<FComplex>& Poles() const { return mPoles; }
    const std::vector<FComplex>& Zeros() const { return mZeros; }

private:
    std::vector<FComplex> mPoles;
    std::vector<FComplex> mZeros;
};
