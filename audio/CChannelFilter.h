#pragma once

#include "analysis/FInputResponse.h"
#include "core/FNodeList.h"

#include <vector>

// One channel of audio filtering: the difference equation of FInputResponse, of which
// only the real part of the output is used. When the design's coefficients are real
// (conjugate pairs and real nodes) it runs in real arithmetic in the same order of
// operations, which gives the outputs of the complex evaluator for far less work.
class CChannelFilter {
public:
    // Loads the design and zeroes the filter memory; false as FInputResponse says
    // (a non-causal design, or no coefficients).
    bool Initialize(const FNodeList* list);
    // The real part of the next output for input x.
    double GetNextSample(double x) noexcept;
    // True when the real arithmetic is in use.
    bool IsReal() const { return mCount > 0; }

private:
    FInputResponse mComplex;
    // The real path: coefficients and circular buffers of length mCount, 0 when the
    // coefficients are complex.
    std::vector<double> mXCoeff;
    std::vector<double> mYCoeff;
    std::vector<double> mXVal;
    std::vector<double> mYVal;
    int mCircIndex = 0;
    int mCount = 0;
};
