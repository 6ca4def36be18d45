#include "design/iir/FStandardDesign.h"

#include "design/iir/AnalogPrototype.h"
#include "filter/Stability.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

using Cpx = std::complex<double>;

AnalogPrototype Prototype(const FStandardDesign& d) {
    using Family = FStandardDesign::Family;
    switch (d.family) {
    case Family::Butterworth:
        return ButterworthPrototype(d.order);
    case Family::Chebyshev:
        return ChebyshevPrototype(d.order, d.rippleDb);
    case Family::InverseChebyshev:
        return InverseChebyshevPrototype(d.order, d.attenuationDb);
    case Family::Bessel:
        switch (d.besselNorm) {
        case FStandardDesign::BesselNorm::Magnitude:
            return BesselPrototype(d.order);
        case FStandardDesign::BesselNorm::Delay:
            return BesselDelayPrototype(d.order);
        case FStandardDesign::BesselNorm::Phase:
            return BesselPhasePrototype(d.order);
        }
        break;
    case Family::Elliptic:
        return EllipticPrototype(d.order, d.rippleDb, d.attenuationDb);
    }
    return {};
}

// The two roots of s^2 - 2 a s + w0^2, the images of one root under the band
// transforms.
void AppendBandImages(Cpx a, double w0, std::vector<Cpx>* out) {
    const Cpx root = std::sqrt(a * a - w0 * w0);
    out->push_back(a + root);
    out->push_back(a - root);
}

// The prototype moved to the requested band in the s-plane, the corners prewarped to
// the analog frequencies that the bilinear transform z = (1 + s) / (1 - s) maps onto
// them. Zeros at s = infinity are left out: their count is the surplus of poles.
AnalogPrototype Transformed(const FStandardDesign& d, const AnalogPrototype& proto) {
    using Band = FStandardDesign::Band;
    const double w1 = std::tan(std::numbers::pi * d.corner / d.rate);
    const double w2 = std::tan(std::numbers::pi * d.corner2 / d.rate);
    const size_t surplus = proto.poles.size() - proto.zeros.size();
    AnalogPrototype out;
    switch (d.band) {
    case Band::Lowpass:
        for (const Cpx z : proto.zeros) {
            out.zeros.push_back(z * w1);
        }
        for (const Cpx p : proto.poles) {
            out.poles.push_back(p * w1);
        }
        break;
    case Band::Highpass:
        for (const Cpx z : proto.zeros) {
            out.zeros.push_back(w1 / z);
        }
        for (const Cpx p : proto.poles) {
            out.poles.push_back(w1 / p);
        }
        out.zeros.insert(out.zeros.end(), surplus, Cpx(0.0, 0.0));
        break;
    case Band::Bandpass: {
        const double halfWidth = (w2 - w1) / 2.0;
        const double w0 = std::sqrt(w1 * w2);
        for (const Cpx z : proto.zeros) {
            AppendBandImages(z * halfWidth, w0, &out.zeros);
        }
        for (const Cpx p : proto.poles) {
            AppendBandImages(p * halfWidth, w0, &out.poles);
        }
        // Half the zeros at infinity go to s = 0; the other half stay at infinity.
        out.zeros.insert(out.zeros.end(), surplus, Cpx(0.0, 0.0));
        break;
    }
    case Band::Bandstop: {
        const double halfWidth = (w2 - w1) / 2.0;
        const double w0 = std::sqrt(w1 * w2);
        for (const Cpx z : proto.zeros) {
            AppendBandImages(halfWidth / z, w0, &out.zeros);
        }
        for (const Cpx p : proto.poles) {
            AppendBandImages(halfWidth / p, w0, &out.poles);
        }
        out.zeros.insert(out.zeros.end(), surplus, Cpx(0.0, w0));
        out.zeros.insert(out.zeros.end(), surplus, Cpx(0.0, -w0));
        break;
    }
    }
    return out;
}

Cpx Bilinear(Cpx s) {
    return (1.0 + s) / (1.0 - s);
}

FComplex AsFComplex(Cpx c) {
    return FComplex(c.real(), c.imag());
}

// The point of the unit circle that the band transforms and the bilinear transform
// carry to the prototype's s = 0: there the design's gain is the prototype's at DC.
FComplex ReferencePoint(const FStandardDesign& d) {
    using Band = FStandardDesign::Band;
    switch (d.band) {
    case Band::Lowpass:
    case Band::Bandstop:
        return FComplex(1.0, 0.0);
    case Band::Highpass:
        return FComplex(-1.0, 0.0);
    case Band::Bandpass:
        break;
    }
    const double w0 = std::sqrt(std::tan(std::numbers::pi * d.corner / d.rate) *
                                std::tan(std::numbers::pi * d.corner2 / d.rate));
    FComplex z;
    z.SetByRadian(1.0, 2.0 * std::atan(w0));
    return z;
}

// The prototype's gain at DC: 1, except that an even order with passband ripple starts
// at the bottom of the ripple.
double PrototypeDcGain(const FStandardDesign& d) {
    const bool ripple = FStandardDesign::UsesRipple(d.family);
    return ripple && d.order % 2 == 0 ? std::pow(10.0, -d.rippleDb / 20.0) : 1.0;
}

} // namespace

FStandardDesign::Problem FStandardDesign::Check() const {
    if (!std::isfinite(rate) || rate <= 0.0) {
        return Problem::Rate;
    }
    if (order < 1 || order > kMaxOrder) {
        return Problem::Order;
    }
    if (!std::isfinite(corner) || corner <= 0.0 || corner >= rate / 2.0) {
        return Problem::Corner;
    }
    if (IsBand(band) && !(std::isfinite(corner2) && corner2 > corner && corner2 < rate / 2.0)) {
        return Problem::SecondCorner;
    }
    if (UsesRipple(family) && !(rippleDb > 0.0 && rippleDb <= kMaxDecibels)) {
        return Problem::Ripple;
    }
    if (UsesAttenuation(family)) {
        const double floor = family == Family::Elliptic ? rippleDb : 0.0;
        if (!(attenuationDb > floor && attenuationDb <= kMaxDecibels)) {
            return Problem::Attenuation;
        }
    }
    return Problem::None;
}

Zpk FStandardDesign::ZPlaneRoots() const {
    const AnalogPrototype s = Transformed(*this, Prototype(*this));
    Zpk zpk;
    for (const Cpx z : s.zeros) {
        zpk.zeros.push_back(AsFComplex(Bilinear(z)));
    }
    for (const Cpx p : s.poles) {
        zpk.poles.push_back(AsFComplex(Bilinear(p)));
    }
    // The zeros left at s = infinity land on z = -1.
    zpk.zeros.resize(zpk.poles.size(), FComplex(-1.0, 0.0));
    const FComplex h = zpk.Evaluate(ReferencePoint(*this));
    zpk.gain = std::copysign(PrototypeDcGain(*this) / h.Mag(), h.r);
    return zpk;
}

FStandardDesign::Problem FStandardDesign::Design(Zpk* zpk) const {
    const Problem problem = Check();
    if (problem != Problem::None) {
        return problem;
    }
    Zpk design = ZPlaneRoots();
    if (!IsStable(design)) {
        return Problem::Unstable;
    }
    *zpk = std::move(design);
    return Problem::None;
}
