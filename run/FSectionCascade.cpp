#include "run/FSectionCascade.h"

#include "filter/SectionPairing.h"

namespace {

// The units of one root type. Two single nodes that are exact conjugates of each
// other are one pair, as if entered as one conjugate node.
std::vector<RootUnit> Units(const FNodeList& list, int type) {
    std::vector<RootUnit> units;
    std::vector<RootUnit> complexSingles;
    for (short k = 0; k < list.GetListCount(type); ++k) {
        const FNode n = list.GetNodeByIndex(type, k);
        const FComplex v = n.Value();
        if (n.Conjugate() && v.i != 0.0) {
            units.push_back({v, true});
        } else if (n.Conjugate()) {
            units.push_back({v, false});
            units.push_back({v, false});
        } else if (v.i == 0.0) {
            units.push_back({v, false});
        } else {
            complexSingles.push_back({v, false});
        }
    }
    std::vector<bool> matched(complexSingles.size(), false);
    for (size_t k = 0; k < complexSingles.size(); ++k) {
        const FComplex v = complexSingles[k].value;
        for (size_t j = k + 1; !matched[k] && j < complexSingles.size(); ++j) {
            const FComplex w = complexSingles[j].value;
            if (!matched[j] && w.r == v.r && w.i == -v.i) {
                matched[k] = matched[j] = true;
                units.push_back({v, true});
            }
        }
        if (!matched[k]) {
            units.push_back(complexSingles[k]);
        }
    }
    return units;
}

// Coefficients of the product of (1 - root z^-1), lowest delay first, starting at
// delay shift.
std::array<FComplex, 3> Polynomial(const std::vector<FComplex>& roots, size_t shift) {
    std::array<FComplex, 3> c{};
    c[shift] = FComplex(1.0, 0.0);
    for (const FComplex& root : roots) {
        for (size_t k = 2; k > shift; --k) {
            c[k] += -1.0 * (root * c[k - 1]);
        }
    }
    return c;
}

FBiquad Section(const SectionRoots& roots) {
    // Fewer zeros than poles delay the numerator: (z - q) / ((z - p1)(z - p2)) is
    // z^-1 (1 - q z^-1) / ((1 - p1 z^-1)(1 - p2 z^-1)).
    return FBiquad{Polynomial(roots.zeros, roots.poles.size() - roots.zeros.size()),
                   Polynomial(roots.poles, 0)};
}

bool IsRealSection(const FBiquad& s) {
    for (size_t k = 0; k < 3; ++k) {
        if (s.b[k].i != 0.0 || s.a[k].i != 0.0) {
            return false;
        }
    }
    return true;
}

} // namespace

bool FSectionCascade::Load(const FNodeList& list) {
    if (!list.Causal()) {
        return false;
    }
    mSections.clear();
    mReal = true;
    for (const SectionRoots& roots : PairSections(Units(list, kNodePole), Units(list, kNodeZero))) {
        mSections.push_back(Section(roots));
        mReal = mReal && IsRealSection(mSections.back());
    }
    if (mSections.empty()) {
        mSections.push_back(Section(SectionRoots{}));
    }
    Reset();
    return true;
}

void FSectionCascade::Reset() {
    mState.assign(2 * mSections.size(), FComplex());
}

FComplex FSectionCascade::Next(FComplex x) noexcept {
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
