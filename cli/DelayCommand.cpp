#include "cli/DelayCommand.h"

#include "analysis/FGroupDelay.h"
#include "core/FormatC.h"

#include <cmath>

const char* const kDelaySynopsis = "delay DESIGN.pzd [--resolution N] [--rate HZ] [-o FILE]";
const char* const kDelaySummary =
    "Write the group delay in samples at the frequencies of freq (N + 1 lines).";

std::string GroupDelayText(const FNodeList& list, int resolution, int rate) {
    FGroupDelay delay;
    delay.Initialize(&list);
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
