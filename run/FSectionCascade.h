#pragma once

#include "core/FComplex.h"
#include "core/FNodeList.h"

#include <array>
#include <vector>

// One second-order section: H(z) = (b0 + b1 z^-1 + b2 z^-2) / (a0 + a1 z^-1 + a2 z^-2)
// with a0 = 1.
struct FBiquad {
    std::array<FComplex, 3> b;
    std::array<FComplex, 3> a;
};

// A causal design as a cascade of second-order sections, run one sample at a time.
// Each conjugate pair of poles, or two single poles, makes a section with its nearest
// zeros (PairSections); the product of the sections is H(z) with no gain factor.
// Sections of conjugate pairs and real roots have real coefficients; a design with a
// complex root outside any conjugate pair has some complex ones. Running the roots
// in small groups keeps the precision that expanding them into one polynomial loses.
class FSectionCascade {
public:
    // Builds the sections and zeroes the memory. False for a non-causal design (the
    // cascade keeps what it had). A design without poles gives one section that only
    // multiplies by 1.
    bool Load(const FNodeList& list);
    // Zeroes the memory.
    void Reset();
    // Next output for input x; 0 + 0j before a successful Load.
    FComplex Next(FComplex x) noexcept;

    const std::vector<FBiquad>& Sections() const { return mSections; }
    // True when every coefficient is real.
    bool IsReal() const { return mReal; }

private:
    std::vector<FBiquad> mSections;
    // The two state values of each section (transposed direct form II).
    std::vector<FComplex> mState;
    bool mReal = true;
};
