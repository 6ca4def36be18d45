#include "response/TimeBase.h"

#include <cmath>
#include <limits>

namespace {

// ms * rate / 1000 keeps products of whole milliseconds and rates exact, and the
// tiny relative nudge absorbs the last-bit error of durations like 21 / 8000 * 1000.
double Samples(double ms, int rate) {
    const double v = ms * rate / 1000.0;
    return std::trunc(v + std::fabs(v) * 1e-12);
}

} // namespace

long long DurationSampleCount(double ms, int rate) {
    if (!std::isfinite(ms) || rate < 1) {
        return -1;
    }
    const double n = Samples(ms, rate);
    if (n >= static_cast<double>(std::numeric_limits<long long>::max())) {
        return std::numeric_limits<long long>::max();
    }
    return static_cast<long long>(n);
}

double SnapDuration(double ms, int rate) {
    if (!std::isfinite(ms) || rate < 1) {
        return ms;
    }
    const double n = std::trunc(ms * rate / 1000.0 + 1.0);
    return n * 1000.0 / rate;
}
