#pragma once

#include "core/FComplex.h"
#include "filter/FDEMaker.h"

#include <vector>

// Runs a causal design as a filter, one sample at a time:
//   y[n] = sum(k = 0..N-1) X[k] x[n-k] + sum(k = 1..N-1) Y[k] y[n-k]
// with the coefficients of FDEMaker::GetDEArrays. Inputs and outputs are kept in
// circular buffers of length N; nothing is allocated per sample.
class FInputResponse {
public:
    // Loads the design and zeroes the filter memory. False for a non-causal design
    // (the evaluator keeps what it had) or when the arrays cannot be made (it is
    // left empty).
    bool Initialize(const Zpk& zpk);

    // Next output for real input x. An empty evaluator returns 0 + 0j.
    FComplex GetNextSample(double x) noexcept { return GetNextSample(FComplex(x, 0.0)); }
    FComplex GetNextSample(FComplex x) noexcept;

    // X[k] and Y[k], or 0 + 0j outside 0 <= k < N.
    FComplex GetXDelayCoeff(int k) const;
    FComplex GetYDelayCoeff(int k) const;
    // N, the number of coefficients in each array; 0 when empty.
    int CpxCount() const { return mCpxCount; }

private:
    void MakeEmpty();

    std::vector<FComplex> mXCoeff;
    std::vector<FComplex> mYCoeff;
    std::vector<FComplex> mXVal;
    std::vector<FComplex> mYVal;
    FDEMaker mDE;
    int mCircIndex = 0;
    int mCpxCount = 0;
};
