#include "core/FormatC.h"

#include "core/ScopedCLocale.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>

std::string FourDecimals(double value) {
    const bool vanishes = value != 0.0 && std::fabs(value) < 0.00005;
    return vanishes ? FormatC("%.4e", value) : FormatC("%.4f", value);
}

std::string FormatC(const char* format, ...) {
    ScopedCLocale cLocale;
    char small[128];
    std::va_list args;
    va_start(args, format);
    const int needed = std::vsnprintf(small, sizeof small, format, args);
    va_end(args);
    if (needed < 0) {
        return {};
    }
    if (static_cast<size_t>(needed) < sizeof small) {
        return std::string(small, static_cast<size_t>(needed));
    }
    // Fixed-point output of a large value can run to hundreds of digits.
    std::string text(static_cast<size_t>(needed) + 1, '\0');
    va_start(args, format);
    std::vsnprintf(text.data(), text.size(), format, args);
    va_end(args);
    text.resize(static_cast<size_t>(needed));
    return text;
}
