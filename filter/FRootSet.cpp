#include "filter/FRootSet.h"

#include <algorithm>
#include <cmath>
#include <limits>

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

} // namespace

FRootSet::FRootSet(const FNodeList& list) {
    AddRoots(list, kNodePole, &mPoles);
    AddRoots(list, kNodeZero, &mZeros);
}

FComplex FRootSet::Evaluate(FComplex z) const {
    // Zero and pole factors alternate, so that the running product stays near the size
    // of the result instead of overflowing or underflowing on the way to it. Factors
    // that vanish at z are counted instead of multiplied in.
    FComplex h(1.0, 0.0);
    int vanished = 0;
    const size_t n = std::max(mPoles.size(), mZeros.size());
    for (size_t k = 0; k < n; ++k) {
        if (k < mZeros.size()) {
            const FComplex f(z.r - mZeros[k].r, z.i - mZeros[k].i);
            if (IsZero(f)) {
                ++vanished;
            } else {
                h *= f;
            }
        }
        if (k < mPoles.size()) {
            const FComplex f(z.r - mPoles[k].r, z.i - mPoles[k].i);
            if (IsZero(f)) {
                --vanished;
            } else {
                h = Divide(h, f);
            }
        }
    }
    if (vanished > 0) {
        return FComplex();
    }
    if (vanished < 0) {
        return FComplex(std::numeric_limits<double>::infinity(), 0.0);
    }
    return h;
}

FComplex FRootSet::OnCircle(double omega) const {
    // The points where the circle crosses the axes are taken exactly, so that a root
    // at 1, j or -1 is met there; cos and sin of the rounded angle miss them by 1e-16.
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
    return Evaluate(z);
}
