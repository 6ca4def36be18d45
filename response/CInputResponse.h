#pragma once

#include "core/FComplex.h"
#include "filter/Zpk.h"
#include "run/FSectionCascade.h"

#include <vector>

// The answer of a design to a standard input sequence, computed once over a number of
// samples and cached with its peak magnitude. Subclasses choose the input. The design
// runs as a cascade of second-order sections, which stays exact where the expanded
// difference equation of many clustered poles does not.
class CInputResponse {
public:
    virtual ~CInputResponse() = default;

    // Runs the filter from zero memory over count samples. False (previous samples kept)
    // for a negative count or a non-causal filter.
    bool Initialize(const Zpk& zpk, int count);
    // Sample index divided by the peak magnitude when that is positive, else the raw
    // sample; 0 + 0j out of range.
    FComplex NormResponse(int index) const;
    // Writes the raw samples as a points file to path, or to standard output when
    // path is null. False when the file could not be written.
    bool PrintToFile(const char* path) const;

    // Peak output magnitude of the last run; -1.0 before the first.
    double Scale() const { return mScale; }
    int CpxCount() const { return static_cast<int>(mCache.size()); }
    const std::vector<FComplex>& Samples() const { return mCache; }

protected:
    CInputResponse() = default;
    // The input sample at time n.
    virtual double InputAt(int n) const = 0;

private:
    double mScale = -1.0;
    std::vector<FComplex> mCache;
    FSectionCascade mResponse;
};
