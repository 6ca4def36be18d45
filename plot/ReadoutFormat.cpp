#include "plot/ReadoutFormat.h"

#include "core/FormatC.h"

#include <algorithm>
#include <cmath>

namespace {

// Beyond this many decimals a double says nothing more about a frequency or a time.
constexpr int kMaxDecimals = 9;

// Decimals that show value with four significant digits and step apart values apart.
int DecimalsFor(double value, double step) {
    int decimals = 0;
    if (value != 0.0 && std::isfinite(value)) {
        decimals = 3 - static_cast<int>(std::floor(std::log10(std::fabs(value))));
    }
    if (step > 0.0 && std::isfinite(step)) {
        decimals = std::max(decimals, static_cast<int>(std::ceil(-std::log10(step) - 1e-9)));
    }
    return std::clamp(decimals, 0, kMaxDecimals);
}

std::string WithUnit(double value, double step, const char* unit) {
    if (!std::isfinite(value)) {
        return FormatValue(value, 0) + unit;
    }
    return FormatC("%.*f", DecimalsFor(value, step), value) + unit;
}

} // namespace

std::string FormatFrequency(double hz, double step) {
    if (std::fabs(hz) >= 10000.0) {
        return WithUnit(hz / 1000.0, step / 1000.0, " kHz");
    }
    return WithUnit(hz, step, " Hz");
}

std::string FormatMilliseconds(double ms, double step) {
    return WithUnit(ms, step, " ms");
}

std::string FormatFixed(double value, int decimals) {
    if (std::isnan(value)) {
        return "nan";
    }
    if (std::isinf(value)) {
        return value > 0 ? "inf" : "-inf";
    }
    if (std::fabs(value) >= 1e6) {
        return FormatC("%.6g", value);
    }
    // A value that rounds to zero reads 0, never -0.
    const double smallest = 0.5 * std::pow(10.0, -decimals);
    return FormatC("%.*f", decimals, std::fabs(value) < smallest ? 0.0 : value);
}

std::string FormatValue(double value, int decimals) {
    const double magnitude = std::fabs(value);
    if (value != 0.0 && magnitude < 0.5 * std::pow(10.0, -decimals)) {
        return FormatC("%.6g", value);
    }
    return FormatFixed(value, decimals);
}
