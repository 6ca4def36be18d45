#pragma once

#include "core/FComplex.h"
#include "core/FNodeList.h"
#include "filter/WideGain.h"

#include <vector>

// A filter as its roots and a gain: H(z) = gain * prod(z - zero) / prod(z - pole), every
// root listed, conjugates included. Evaluating H from the roots keeps full precision
// however many of them lie close together: the rounding is that of one product, not
// that of expanded coefficients.
class Zpk {
public:
    std::vector<FComplex> zeros;
    std::vector<FComplex> poles;
    double gain = 1.0;

    // The roots of a design, in list order, each conjugate node giving its value and
    // then its mirror image; gain 1, as designs carry none.
    static Zpk FromNodeList(const FNodeList& list);
    // Adds the roots to list as nodes: a root above the real axis whose mirror image is
    // also a root (to 1e-9 of its size) becomes one conjugate-pair node, a root within
    // rounding of the axis a real single node, any other root a single node. Each list
    // gets its new nodes in order of angle, then radius, the smallest at the head. The
    // gain is not kept.
    void AddToNodeList(FNodeList* list) const;

    // At least as many poles as zeros.
    bool Causal() const { return poles.size() >= zeros.size(); }

    // H(z). Exactly on a zero it is 0, exactly on a pole infinite (+inf + 0j); a pole
    // and a zero on the same point cancel there as they do everywhere else.
    FComplex Evaluate(FComplex z) const;
    // H(e^jw) for w in radians per sample; at 0, pi/2 and pi, z is exactly 1, j, -1.
    FComplex OnCircle(double omega) const;
    // |H(e^jw)| also where it is beyond the range of a double (40 poles 1e-10 from the
    // circle): 0 on a zero, infinite on a pole.
    WideGain MagnitudeOnCircle(double omega) const;

private:
    // The product of the zero factors over the pole factors at z as value * 2^exponent,
    // and the count of zeros less the count of poles that z lies on (their factors are
    // left out).
    struct ScaledValue {
        FComplex value;
        long exponent = 0;
        int vanished = 0;
    };
    ScaledValue Product(FComplex z) const;
    // The product of (z - root) over roots, with the count of roots that z lies on.
    static ScaledValue FactorProduct(const std::vector<FComplex>& roots, FComplex z);
};
