#pragma once

#include "core/FComplex.h"
#include "filter/Zpk.h"

#include <array>
#include <optional>
#include <vector>

// One second-order section: H(z) = (b0 + b1 z^-1 + b2 z^-2) / (a0 + a1 z^-1 + a2 z^-2)
// with a0 = 1.
struct FBiquad {
    std::array<FComplex, 3> b;
    std::array<FComplex, 3> a;
};

// A causal filter as a cascade of second-order sections and a gain: H(z) = gain times
// the product of the sections. Sections of conjugate pairs and real roots have real
// coefficients; a complex root without its conjugate makes some complex. Running the
// roots in small groups keeps the precision that expanding them into one polynomial
// loses.
class SosCascade {
public:
    std::vector<FBiquad> sections;
    double gain = 1.0;

    // The sections of zpk as PairSections groups and orders them, with its gain; empty
    // for a non-causal zpk. A zpk without poles gives one section that multiplies by 1.
    static std::optional<SosCascade> FromZpk(const Zpk& zpk);

    // The cascade as roots and a gain with the same H(z): each section's roots solved as
    // quadratics (QuadraticRoots), the gain the product of the sections' first non-zero
    // numerator coefficients over a0. Roots at the origin that numerators and
    // denominators share cancel (sections delay their numerators, and a single real pole
    // makes a section with a pole at the origin). A section whose numerator is 0 makes the gain 0
    // and adds no zeros. The sections must have a0 != 0.
    Zpk ToZpk() const;
    // True when every coefficient is real.
    bool IsReal() const;
    // The sections with the gain multiplied into the first one's numerator.
    std::vector<FBiquad> GainFolded() const;
    // This cascade divided by divisor, the division shared evenly by the sections'
    // numerators, so that none has to hold a factor beyond the range of a double.
    SosCascade DividedBy(const WideGain& divisor) const;
};
