#include "filter/SosCascade.h"

#include "filter/SectionPairing.h"

namespace {

// Coefficients of z^-delay times the product of (1 - root z^-1), lowest delay first.
std::array<FComplex, 3> Polynomial(const std::vector<FComplex>& roots, size_t delay) {
    std::array<FComplex, 3> c{};
    c[delay] = FComplex(1.0, 0.0);
    for (const FComplex& root : roots) {
        for (size_t k = 2; k > delay; --k) {
            c[k] += -1.0 * (root * c[k - 1]);
        }
    }
    return c;
}

FBiquad Section(const SectionRoots& roots) {
    return FBiquad{Polynomial(roots.zeros, static_cast<size_t>(roots.delay)),
                   Polynomial(roots.poles, 0)};
}

} // namespace

std::optional<SosCascade> SosCascade::FromZpk(const Zpk& zpk) {
    if (!zpk.Causal()) {
        return std::nullopt;
    }
    SosCascade cascade;
    cascade.gain = zpk.gain;
    for (const SectionRoots& roots : PairSections(zpk.poles, zpk.zeros)) {
        cascade.sections.push_back(Section(roots));
    }
    if (cascade.sections.empty()) {
        cascade.sections.push_back(Section(SectionRoots{}));
    }
    return cascade;
}

bool SosCascade::IsReal() const {
    for (const FBiquad& s : sections) {
        for (size_t k = 0; k < 3; ++k) {
            if (s.b[k].i != 0.0 || s.a[k].i != 0.0) {
                return false;
            }
        }
    }
    return true;
}

SosCascade SosCascade::DividedBy(const WideGain& divisor) const {
    SosCascade scaled = *this;
    const double share = divisor.ShareOfInverse(static_cast<int>(sections.size()));
    for (FBiquad& s : scaled.sections) {
        for (FComplex& b : s.b) {
            b *= share;
        }
    }
    return scaled;
}

std::vector<FBiquad> SosCascade::GainFolded() const {
    std::vector<FBiquad> folded = sections;
    if (!folded.empty()) {
        for (FComplex& b : folded.front().b) {
            b *= gain;
        }
    }
    return folded;
}
