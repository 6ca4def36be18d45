#pragma once

#include "core/FComplex.h"
#include "filter/Zpk.h"

#include <vector>

// H(e^jw) of a design sampled at resolution + 1 evenly spaced angles from 0 to pi
// (both ends included), with the peak magnitude kept for normalisation, so that
// drawing never evaluates the response. H is the product of the root factors
// (Zpk): infinite exactly on a pole, 0 exactly on a zero.
class FFreqResponse {
public:
    // Rebuilds the samples; false (nothing changed) for a resolution below 1.
    bool Initialize(const Zpk& zpk, int resolution);
    // Sample index divided by the peak magnitude; 0 + 0j out of range, before the
    // first Initialize, or when the response is zero everywhere. An infinite sample
    // gives 1 + 0j (the top of a graph) and, beside it, every finite one 0 + 0j.
    FComplex NormResponse(int index) const;
    // H(e^jw) for w in radians per sample, not normalised; infinite on a pole.
    FComplex ExactResponse(double omega) const;
    // Writes the raw samples as a points file; false when it could not be written.
    bool PrintToFile(const char* path) const;

    // Peak magnitude of the samples (infinite when one lies on a pole); -1.0 before
    // the first Initialize.
    double Scale() const { return mScale; }
    // Number of samples: resolution + 1, or 0 before the first Initialize.
    int CpxCount() const { return static_cast<int>(mCacheArray.size()); }
    // The raw sample at index; the caller keeps index in range.
    FComplex RawResponse(int index) const { return mCacheArray[static_cast<size_t>(index)]; }
    const std::vector<FComplex>& Samples() const { return mCacheArray; }

private:
    double mScale = -1.0;
    std::vector<FComplex> mCacheArray;
    Zpk mRoots;
};
