#include "design/iir/FStandardDesign.h"

#include "design/iir/AnalogPrototype.h"

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
        return BesselPrototype(d.order);
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

// Adds the roots of one type as nodes: the upper member of each conjugate pair, the
// real roots as single nodes, sorted by angle and then by radius.
void AddNodes(int type, const std::vector<Cpx>& roots, FNodeList* list) {
    std::vector<Cpx> kept;
    for (const Cpx r : roots) {
        // Real roots come out real up to rounding; an image below the axis is the
        // conjugate of one above it.
        const double tolerance = 1e-13 * (1.0 + std::abs(r));
        if (r.imag() > tolerance) {
            kept.push_back(r);
        } else if (r.imag() >= -tolerance) {
            kept.push_back(Cpx(r.real(), 0.0));
        }
    }
    std::sort(kept.begin(), kept.end(), [](Cpx a, Cpx b) {
        const double angleA = std::arg(a) < 0 ? -std::arg(a) : std::arg(a);
        const double angleB = std::arg(b) < 0 ? -std::arg(b) : std::arg(b);
        return angleA != angleB ? angleA < angleB : std::abs(a) < std::abs(b);
    });
    // New nodes go to the head, so the last added is shown first.
    for (auto it = kept.rbegin(); it != kept.rend(); ++it) {
        list->AddNode(FNode(type, FComplex(it->real(), it->imag()), it->imag() > 0.0, 1));
    }
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

FStandardDesign::Roots FStandardDesign::ZPlaneRoots() const {
    const AnalogPrototype s = Transformed(*this, Prototype(*this));
    Roots roots;
    for (const Cpx z : s.zeros) {
        roots.zeros.push_back(Bilinear(z));
    }
    for (const Cpx p : s.poles) {
        roots.poles.push_back(Bilinear(p));
    }
    // The zeros left at s = infinity land on z = -1.
    roots.zeros.resize(roots.poles.size(), Cpx(-1.0, 0.0));
    return roots;
}

FStandardDesign::Problem FStandardDesign::Design(FNodeList* list) const {
    const Problem problem = Check();
    if (problem != Problem::None) {
        return problem;
    }
    const Roots roots = ZPlaneRoots();
    for (const Cpx p : roots.poles) {
        // Written so that a non-finite pole fails too.
        if (!(std::abs(p) < 1.0)) {
            return Problem::Unstable;
        }
    }
    AddNodes(kNodeZero, roots.zeros, list);
    AddNodes(kNodePole, roots.poles, list);
    return Problem::None;
}
