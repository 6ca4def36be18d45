#pragma once

#include "filter/Zpk.h"

#include <string>

// What rounding a design's difference-equation coefficients to the four decimals of its
// .de and .hz texts does to its poles: the expanded pole polynomial of a high order
// loses them (a 20th-order Butterworth low-pass gets a pole at radius 2.31).
struct FourDecimalEffect {
    // The rounded coefficients put a pole more than 1e-3 from the design's (each design
    // pole against the nearest rounded one not matched before), or make a stable design
    // unstable.
    bool differs = false;
    // The largest pole radius of the rounded filter.
    double largestPoleRadius = 0.0;
};

// The effect on the real parts of the pole polynomial's coefficients (FDEMaker), each
// rounded as "%.4f" writes it.
FourDecimalEffect RoundedToFourDecimals(const Zpk& zpk);

// The line the text dialogs show under the difference equation and H(z) when the
// rounding makes a different filter; empty when it does not.
std::string FourDecimalWarning(const Zpk& zpk);
