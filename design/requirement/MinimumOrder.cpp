#include "design/requirement/MinimumOrder.h"

#include "design/iir/EllipticFunctions.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace {

using Family = FStandardDesign::Family;
using Band = FStandardDesign::Band;

// 10^(dB/10) - 1 without losing the digits of a small ripple.
double PowerRatioMinusOne(double db) {
    return std::expm1(db / 10.0 * std::numbers::ln10);
}

// Edges prewarped to the analog frequencies the bilinear transform maps onto them.
struct Warped {
    double p0;
    double p1;
    double s0;
    double s1;
};

double Warp(double hz, double rate) {
    return std::tan(kPi * hz / rate);
}

// How far the stopband edge a band transform carries nearest to the passband lies in
// the lowpass prototype, whose passband ends at 1: the selectivity the order must reach.
// Band types take the tighter of their two stopband edges.
double Selectivity(Band band, const Warped& w) {
    const auto bandpass = [&w](double s) {
        return std::fabs((s * s - w.p0 * w.p1) / (s * (w.p0 - w.p1)));
    };
    switch (band) {
    case Band::Lowpass:
        return w.s0 / w.p0;
    case Band::Highpass:
        return w.p0 / w.s0;
    case Band::Bandpass:
        return std::min(bandpass(w.s0), bandpass(w.s1));
    case Band::Bandstop:
        return std::min(1.0 / bandpass(w.s0), 1.0 / bandpass(w.s1));
    }
    return 1.0;
}

// The point of [low, high] where f is least, by Brent's bounded search (golden sections
// and parabolic steps) to an absolute tolerance of xtol: the search scipy's fminbound
// makes, step for step, so that the edges it moves land where scipy's do.
template <typename F> double BoundedMinimum(F f, double low, double high, double xtol) {
    const double sqrtEps = std::sqrt(2.2e-16);
    const double goldenMean = 0.5 * (3.0 - std::sqrt(5.0));
    double a = low;
    double b = high;
    double fulc = a + goldenMean * (b - a);
    double nfc = fulc;
    double xf = fulc;
    double rat = 0.0;
    double e = 0.0;
    double fx = f(xf);
    double ffulc = fx;
    double fnfc = fx;
    double xm = 0.5 * (a + b);
    double tol1 = sqrtEps * std::fabs(xf) + xtol / 3.0;
    double tol2 = 2.0 * tol1;
    for (int calls = 1; calls < 500 && std::fabs(xf - xm) > tol2 - 0.5 * (b - a); ++calls) {
        bool golden = true;
        if (std::fabs(e) > tol1) {
            golden = false;
            double r = (xf - nfc) * (fx - ffulc);
            double q = (xf - fulc) * (fx - fnfc);
            double p = (xf - fulc) * q - (xf - nfc) * r;
            q = 2.0 * (q - r);
            if (q > 0.0) {
                p = -p;
            }
            q = std::fabs(q);
            r = e;
            e = rat;
            if (std::fabs(p) < std::fabs(0.5 * q * r) && p > q * (a - xf) && p < q * (b - xf)) {
                rat = p / q;
                const double x = xf + rat;
                if (x - a < tol2 || b - x < tol2) {
                    rat = xm - xf < 0.0 ? -tol1 : tol1;
                }
            } else {
                golden = true;
            }
        }
        if (golden) {
            e = xf >= xm ? a - xf : b - xf;
            rat = goldenMean * e;
        }
        const double x = xf + (rat < 0.0 ? -1.0 : 1.0) * std::max(std::fabs(rat), tol1);
        const double fu = f(x);
        if (fu <= fx) {
            (x >= xf ? a : b) = xf;
            fulc = nfc;
            ffulc = fnfc;
            nfc = xf;
            fnfc = fx;
            xf = x;
            fx = fu;
        } else {
            (x < xf ? a : b) = x;
            if (fu <= fnfc || nfc == xf) {
                fulc = nfc;
                ffulc = fnfc;
                nfc = x;
                fnfc = fu;
            } else if (fu <= ffulc || fulc == xf || fulc == nfc) {
                fulc = x;
                ffulc = fu;
            }
        }
        xm = 0.5 * (a + b);
        tol1 = sqrtEps * std::fabs(xf) + xtol / 3.0;
        tol2 = 2.0 * tol1;
    }
    return xf;
}

// The order each family needs for a selectivity, before rounding up.
double ExactOrder(Family family, double selectivity, double rippleDb, double attenuationDb) {
    const double ratio = PowerRatioMinusOne(attenuationDb) / PowerRatioMinusOne(rippleDb);
    switch (family) {
    case Family::Butterworth:
        return std::log(ratio) / (2.0 * std::log(selectivity));
    case Family::Chebyshev:
    case Family::InverseChebyshev:
        return std::acosh(std::sqrt(ratio)) / std::acosh(selectivity);
    case Family::Elliptic: {
        // N = K(k) K'(k1) / (K'(k) K(k1)) for the selectivity k = 1 / selectivity and the
        // discrimination k1, each parameter m = k^2 given with its complement.
        const double m = 1.0 / (selectivity * selectivity);
        const double mc = (selectivity - 1.0) * (selectivity + 1.0) * m;
        const double m1 = 1.0 / ratio;
        return EllipticKFromComplement(mc) * EllipticKFromComplement(m1) /
               (EllipticKFromComplement(m) * EllipticKFromComplement(1.0 - m1));
    }
    case Family::Bessel:
        break;
    }
    return HUGE_VAL;
}

// A band-stop's passband edges moved towards its stopband, one after the other, the
// lower first: each to where the order is least with the other fixed, which trades the
// selectivity at one stopband edge for that at the other. The search's tolerance is
// 1e-5 on the prewarped scale, and the bounds keep an edge 1e-12 off the stopband.
void WidenBandstop(Family family, double rippleDb, double attenuationDb, Warped* w) {
    constexpr double kTolerance = 1e-5;
    const auto order = [=](const Warped& moved) {
        return ExactOrder(family, Selectivity(Band::Bandstop, moved), rippleDb, attenuationDb);
    };
    w->p0 = BoundedMinimum(
        [&](double p0) {
            Warped moved = *w;
            moved.p0 = p0;
            return order(moved);
        },
        w->p0, w->s0 - 1e-12, kTolerance);
    w->p1 = BoundedMinimum(
        [&](double p1) {
            Warped moved = *w;
            moved.p1 = p1;
            return order(moved);
        },
        w->s1 + 1e-12, w->p1, kTolerance);
}

// The two roots of W^2 + b W - c = 0 for c > 0, the smaller first: the band transform's
// images of one frequency, which multiply to c.
std::array<double, 2> BandImages(double b, double c) {
    const double larger = (std::fabs(b) + std::sqrt(b * b + 4.0 * c)) / 2.0;
    return {c / larger, larger};
}

// The warped corners of the design. Butterworth and Chebyshev II are scaled so that the
// loss at the passband edges is exactly the ripple: by the prototype frequency that
// has it, which the band transforms carry back around the passband's centre.
std::array<double, 2> WarpedCorners(Family family, Band band, const Warped& w, int order,
                                    double rippleDb, double attenuationDb) {
    double scale = 1.0;
    if (family == Family::Butterworth) {
        // The -3 dB point relative to the frequency of the ripple's loss.
        scale = std::pow(PowerRatioMinusOne(rippleDb), -1.0 / (2.0 * order));
    } else if (family == Family::InverseChebyshev) {
        // The stopband's start relative to the frequency of the ripple's loss.
        const double ratio = PowerRatioMinusOne(attenuationDb) / PowerRatioMinusOne(rippleDb);
        scale = std::cosh(std::acosh(std::sqrt(ratio)) / order);
    } else {
        return {w.p0, w.p1};
    }
    const double width = w.p1 - w.p0;
    switch (band) {
    case Band::Lowpass:
        return {w.p0 * scale, 0.0};
    case Band::Highpass:
        return {w.p0 / scale, 0.0};
    case Band::Bandpass:
        return BandImages(scale * width, w.p0 * w.p1);
    case Band::Bandstop:
        return BandImages(width / scale, w.p0 * w.p1);
    }
    return {};
}

} // namespace

bool HasMinimumOrder(Family family) {
    return family != Family::Bessel;
}

std::optional<FStandardDesign> MinimumOrderDesign(Family family, const Requirement& req,
                                                  double rate) {
    if (!HasMinimumOrder(family) || req.CheckAtRate(rate) != Requirement::Problem::None) {
        return std::nullopt;
    }
    const bool twoEdges = FStandardDesign::IsBand(req.band);
    Warped w{Warp(req.passband[0], rate), twoEdges ? Warp(req.passband[1], rate) : 0.0,
             Warp(req.stopband[0], rate), twoEdges ? Warp(req.stopband[1], rate) : 0.0};
    if (req.band == Band::Bandstop) {
        WidenBandstop(family, req.rippleDb, req.attenuationDb, &w);
    }
    const double exact =
        ExactOrder(family, Selectivity(req.band, w), req.rippleDb, req.attenuationDb);
    FStandardDesign design;
    design.family = family;
    design.band = req.band;
    design.order = exact < kOrderCap ? std::max(1, static_cast<int>(std::ceil(exact))) : kOrderCap;
    design.rate = rate;
    design.rippleDb = req.rippleDb;
    design.attenuationDb = req.attenuationDb;
    const std::array<double, 2> corners =
        WarpedCorners(family, req.band, w, design.order, req.rippleDb, req.attenuationDb);
    design.corner = std::atan(corners[0]) * rate / kPi;
    design.corner2 = twoEdges ? std::atan(corners[1]) * rate / kPi : 0.0;
    return design;
}
