#pragma once

#include "filter/Zpk.h"
#include "run/FSectionFilter.h"

#include <cstddef>
#include <memory>
#include <string>

// One state of the design as the live stream plays it: a filter scaled to unit peak
// gain, the plain input (an empty design), or silence with the reason. Built on the
// user-interface thread and then handed whole to CStreamEngine, whose audio thread
// alone runs it from then on.
class CStreamDesign {
public:
    enum class Kind { Filter, PassThrough, Silence };

    // The filter for channels channels. One that cannot run (PrepareToRun) becomes
    // silence with Status() saying why.
    static std::unique_ptr<CStreamDesign> Build(const Zpk& zpk, int channels);

    Kind GetKind() const noexcept { return mKind; }
    // Empty while the design plays; otherwise the reason for the silence.
    const std::string& Status() const { return mStatus; }
    // The factor that brings the design's peak gain to 1.
    double Gain() const { return mGain; }

    // Replaces count interleaved frames by this design's output.
    void Run(double* frames, std::size_t count) noexcept;
    // Takes over the memory of previous when both run the same layout of filter, so that
    // the sound goes on without a cross-fade; false (nothing taken) otherwise.
    bool TakeStateFrom(const CStreamDesign& previous) noexcept;

private:
    Kind mKind = Kind::Silence;
    std::string mStatus;
    double mGain = 1.0;
    int mChannels = 0;
    FSectionFilter mFilter;
};
