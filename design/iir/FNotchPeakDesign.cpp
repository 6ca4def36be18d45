#include "design/iir/FNotchPeakDesign.h"

#include "filter/Stability.h"

#include <cmath>
#include <numbers>

FNotchPeakDesign::Problem FNotchPeakDesign::Check() const {
    if (!std::isfinite(rate) || rate <= 0.0) {
        return Problem::Rate;
    }
    if (!std::isfinite(centre) || centre <= 0.0 || centre >= rate / 2.0) {
        return Problem::Centre;
    }
    if (!std::isfinite(q) || q <= 2.0 * centre / rate) {
        return Problem::Q;
    }
    return Problem::None;
}

FNotchPeakDesign::Problem FNotchPeakDesign::Design(Zpk* zpk) const {
    const Problem problem = Check();
    if (problem != Problem::None) {
        return problem;
    }
    const double w0 = 2.0 * std::numbers::pi * centre / rate;
    // beta = tan(bandwidth / 2) is the prewarped half bandwidth; g = 1 / (1 + beta).
    const double beta = std::tan(w0 / q / 2.0);
    const double g = 1.0 / (1.0 + beta);
    const double c = std::cos(w0);
    const double s = std::sin(w0);
    // The poles solve z^2 - 2 g cos(w0) z + (2 g - 1) = 0. Their discriminant, written as
    // g^2 (beta^2 - sin^2 w0), keeps its digits where the textbook form cancels.
    const double d = (beta - s) * (beta + s);
    Zpk design;
    if (d < 0.0) {
        const double im = g * std::sqrt(-d);
        design.poles = {FComplex(g * c, im), FComplex(g * c, -im)};
    } else {
        // Real poles: the larger one directly, the other from their product 2 g - 1.
        const double larger = g * (c + std::copysign(std::sqrt(d), c));
        const double product = (1.0 - beta) * g;
        design.poles = {FComplex(larger, 0.0),
                        FComplex(larger != 0.0 ? product / larger : 0.0, 0.0)};
    }
    if (kind == Kind::Notch) {
        design.zeros = {FComplex(c, s), FComplex(c, -s)};
        design.gain = g;
    } else {
        design.zeros = {FComplex(1.0, 0.0), FComplex(-1.0, 0.0)};
        design.gain = beta * g;
    }
    if (!IsStable(design)) {
        return Problem::Unstable;
    }
    *zpk = std::move(design);
    return Problem::None;
}
