#pragma once

#include "analysis/FInputResponse.h"
#include "audio/CAudioFile.h"
#include "core/FNodeList.h"

#include <array>
#include <vector>

// The design run over blocks of sound frames of one or two channels, each channel with
// its own memory: the difference equation of FInputResponse, of which the real part of
// the output is used. When the design's coefficients are real (conjugate pairs and real
// nodes) it runs in real arithmetic, both channels side by side, with every sum formed
// in the order FInputResponse forms it, so the outputs are those of the complex
// evaluator for far less work.
class CFrameFilter {
public:
    // Loads the design for 1 or 2 channels and zeroes the memory; false as
    // FInputResponse::Initialize says (a non-causal design, or no coefficients).
    bool Initialize(const FNodeList* list, int channels);
    // Replaces count frames by the filter's outputs divided by divisor, truncated
    // toward zero and saturated to 32 bits (NaN gives 0); mono frames use left only.
    // Blocks follow on from each other as one stream.
    void Filter(tSample* frames, size_t count, double divisor);
    // True when the real arithmetic is in use.
    bool IsReal() const { return mCount > 0; }

private:
    template <int Channels> void FilterReal(tSample* frames, size_t count, double divisor) noexcept;

    int mChannels = 1;
    std::array<FInputResponse, 2> mComplex;
    // The real path: coefficients, and the last mCount inputs and outputs (oldest first,
    // channels interleaved) followed by room for the block being filtered. mCount is 0
    // when the coefficients are complex.
    std::vector<double> mXCoeff;
    std::vector<double> mYCoeff;
    std::vector<double> mXVal;
    std::vector<double> mYVal;
    // The block's outputs, divided.
    std::vector<double> mScaled;
    int mCount = 0;
};
