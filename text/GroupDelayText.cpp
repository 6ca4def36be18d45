#include "text/GroupDelayText.h"

#include "core/FormatC.h"

#include <cmath>

std::string GroupDelayText(const FGroupDelay& delay, int resolution, int rate) {
    const std::vector<double> samples = delay.Sampled(resolution);
    std::string text;
    for (size_t k = 0; k < samples.size(); ++k) {
        const double hz = 0.5 * rate * static_cast<double>(k) / resolution;
        // One spelling for an undefined delay, whatever sign the NaN carries.
        text += std::isnan(samples[k]) ? FormatC("%.6f nan\n", hz)
                                       : FormatC("%.6f %.10g\n", hz, samples[k]);
    }
    return text;
}
