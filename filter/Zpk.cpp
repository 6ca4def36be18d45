#include "filter/Zpk.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace {

void AddRoots(const FNodeList& list, int type, std::vector<FComplex>* roots) {
    for (short k = 0; k < list.GetListCount(type); ++k) {
        const FNode n = list.GetNodeByIndex(type, k);
        roots->push_back(n.Value());
        if (n.Conjugate()) {
            roots->push_back(n.Value().Conj());
        }
    }
}

bool IsZero(FComplex c) {
    return c.r == 0.0 && c.i == 0.0;
}

// a / b by Smith's method, which never squares b: a factor of 1e-160 (a pole that
// close to the point) would otherwise underflow to a division by zero.
FComplex Divide(FComplex a, FComplex b) {
    if (std::fabs(b.r) >= std::fabs(b.i)) {
        const double t = b.i / b.r;
        const double d = b.r + b.i * t;
        return FComplex((a.r + a.i * t) / d, (a.i - a.r * t) / d);
    }
    const double t = b.r / b.i;
    const double d = b.r * t + b.i;
    return FComplex((a.r * t + a.i) / d, (a.i * t - a.r) / d);
}

// The nodes of one root type. Real roots come out of a computation real up to rounding,
// and the image below the axis of a conjugate pair is dropped for the one above it.
void AddNodes(int type, const std::vector<FComplex>& roots, FNodeList* list) {
    std::vector<bool> used(roots.size(), false);
    std::vector<FNode> nodes;
    for (size_t k = 0; k < roots.size(); ++k) {
        const FComplex r = roots[k];
        const double size = 1.0 + r.Mag();
        if (std::fabs(r.i) <= 1e-13 * size) {
            nodes.emplace_back(type, FComplex(r.r, 0.0), false, 1);
            used[k] = true;
            continue;
        }
        if (r.i < 0.0 || used[k]) {
            continue;
        }
        // The nearest unused root below the axis that mirrors r.
        std::optional<size_t> mirror;
        for (size_t j = 0; j < roots.size(); ++j) {
            const double d = roots[j].MagDifference(r.Conj());
            if (!used[j] && roots[j].i < 0.0 && d <= 1e-9 * size &&
                (!mirror || d < roots[*mirror].MagDifference(r.Conj()))) {
                mirror = j;
            }
        }
        used[k] = true;
        if (mirror) {
            used[*mirror] = true;
        }
        nodes.emplace_back(type, r, mirror.has_value(), 1);
    }
    for (size_t k = 0; k < roots.size(); ++k) {
        if (!used[k]) {
            nodes.emplace_back(type, roots[k], false, 1);
        }
    }
    const auto angle = [](const FNode& n) { return std::fabs(n.Value().Phase()); };
    std::stable_sort(nodes.begin(), nodes.end(), [&angle](const FNode& a, const FNode& b) {
        return angle(a) != angle(b) ? angle(a) < angle(b) : a.Value().Mag() < b.Value().Mag();
    });
    // New nodes go to the head, so the last added is shown first.
    for (auto it = nodes.rbegin(); it != nodes.rend(); ++it) {
        list->AddNode(*it);
    }
}

// The points where the circle crosses the axes are taken exactly, so that a root at 1, j
// or -1 is met there; cos and sin of the rounded angle miss them by 1e-16.
FComplex CirclePoint(double omega) {
    FComplex z;
    if (omega == 0.0) {
        z = FComplex(1.0, 0.0);
    } else if (omega == kHalfPi) {
        z = FComplex(0.0, 1.0);
    } else if (omega == kPi) {
        z = FComplex(-1.0, 0.0);
    } else {
        z.SetByRadian(1.0, omega);
    }
    return z;
}

} // namespace

Zpk Zpk::FromNodeList(const FNodeList& list) {
    Zpk zpk;
    AddRoots(list, kNodePole, &zpk.poles);
    AddRoots(list, kNodeZero, &zpk.zeros);
    return zpk;
}

void Zpk::AddToNodeList(FNodeList* list) const {
    AddNodes(kNodeZero, zeros, list);
    AddNodes(kNodePole, poles, list);
}

FComplex Zpk::Evaluate(FComplex z) const {
    const ScaledValue h = Product(z);
    if (h.vanished > 0 || gain == 0.0) {
        return FComplex();
    }
    if (h.vanished < 0) {
        return FComplex(std::numeric_limits<double>::infinity(), 0.0);
    }
    const int e = static_cast<int>(std::clamp(h.exponent, -100000L, 100000L));
    return FComplex(std::ldexp(h.value.r, e), std::ldexp(h.value.i, e)) * gain;
}

FComplex Zpk::OnCircle(double omega) const {
    return Evaluate(CirclePoint(omega));
}

WideGain Zpk::MagnitudeOnCircle(double omega) const {
    const ScaledValue h = Product(CirclePoint(omega));
    if (h.vanished > 0 || gain == 0.0) {
        return WideGain(0.0);
    }
    if (h.vanished < 0) {
        return WideGain(std::numeric_limits<double>::infinity());
    }
    return WideGain((h.value * gain).Mag(), h.exponent);
}

Zpk::ScaledValue Zpk::Product(FComplex z) const {
    // The zero factors and the pole factors are multiplied up apart and divided once: a
    // complex division per pole would take most of the time. Powers of two go to the
    // exponents before a product leaves the range of a double, which leaves its digits
    // as they are. Factors that vanish at z are counted instead of multiplied in.
    ScaledValue zeroPart = FactorProduct(zeros, z);
    const ScaledValue polePart = FactorProduct(poles, z);
    zeroPart.value = Divide(zeroPart.value, polePart.value);
    zeroPart.exponent -= polePart.exponent;
    zeroPart.vanished -= polePart.vanished;
    return zeroPart;
}

Zpk::ScaledValue Zpk::FactorProduct(const std::vector<FComplex>& roots, FComplex z) {
    ScaledValue h{FComplex(1.0, 0.0), 0, 0};
    for (const FComplex& root : roots) {
        const FComplex f(z.r - root.r, z.i - root.i);
        if (IsZero(f)) {
            ++h.vanished;
            continue;
        }
        h.value *= f;
        const double size = std::max(std::fabs(h.value.r), std::fabs(h.value.i));
        if (size > 0x1p500 || size < 0x1p-500) {
            int e = 0;
            std::frexp(size, &e);
            h.value = FComplex(std::ldexp(h.value.r, -e), std::ldexp(h.value.i, -e));
            h.exponent += e;
        }
    }
    return h;
}
