#include "filter/PeakScaling.h"

#include <cmath>
#include <optional>

PeakScaledCascade PeakScaled(const Zpk& zpk) {
    PeakScaledCascade scaled;
    const std::optional<SosCascade> cascade = SosCascade::FromZpk(zpk);
    if (!cascade) {
        scaled.problem = PeakProblem::NonCausal;
        return scaled;
    }
    scaled.cascade.sections = cascade->sections;
    // The peaks of what runs: the roots of the sections' coefficients, which for poles
    // very close to z = 1 or -1 differ from the design's by more than 1e-9 of the gain.
    SosCascade prefix;
    prefix.gain = zpk.gain;
    // The first share carries the design's gain, which the prefix peaks include.
    WideGain previous(zpk.gain);
    for (size_t k = 0; k < cascade->sections.size(); ++k) {
        prefix.sections.push_back(cascade->sections[k]);
        const WideGain peak = WidePeakGain(prefix.ToZpk());
        double share = previous.Over(peak);
        if (!std::isnormal(share)) {
            scaled.problem = PeakProblem::NotFinite;
            return scaled;
        }
        if (k == 0 && zpk.gain < 0.0) {
            share = -share;
        }
        for (FComplex& b : scaled.cascade.sections[k].b) {
            b *= share;
        }
        scaled.shares.push_back(share);
        previous = peak;
    }
    return scaled;
}
