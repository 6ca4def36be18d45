#include "run/FSectionCascade.h"

void FSectionCascade::Load(const SosCascade& cascade) {
    mSections = cascade.GainFolded();
    Reset();
}

void FSectionCascade::Reset() {
    mState.assign(2 * mSections.size(), FComplex());
}

FComplex FSectionCascade::Next(FComplex x) noexcept {
    if (mSections.empty()) {
        return FComplex();
    }
    FComplex* state = mState.data();
    for (const FBiquad& s : mSections) {
        FComplex y = s.b[0] * x;
        y += state[0];
        state[0] = s.b[1] * x;
        state[0] += state[1];
        state[0] += -1.0 * (s.a[1] * y);
        state[1] = s.b[2] * x;
        state[1] += -1.0 * (s.a[2] * y);
        x = y;
        state += 2;
    }
    return x;
}
