#pragma once

#include "core/FComplex.h"
#include "filter/SosCascade.h"

#include <vector>

// Runs a cascade of second-order sections one sample at a time in complex arithmetic,
// transposed direct form II, the gain applied in the first section.
class FSectionCascade {
public:
    // Takes the sections and zeroes the memory.
    void Load(const SosCascade& cascade);
    // Zeroes the memory.
    void Reset();
    // Next output for input x; 0 + 0j before Load.
    FComplex Next(FComplex x) noexcept;

private:
    std::vector<FBiquad> mSections;
    // The two state values of each section.
    std::vector<FComplex> mState;
};
