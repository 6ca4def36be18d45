#include "filter/SosCascade.h"

#include "filter/PolynomialRoots.h"
#include "filter/SectionPairing.h"

#include <algorithm>

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

bool IsZero(FComplex v) {
    return v.r == 0.0 && v.i == 0.0;
}

// The roots of c[0] z^2 + c[1] z + c[2].
std::vector<FComplex> QuadraticRoots(const std::array<FComplex, 3>& c) {
    const auto cpx = [](FComplex v) { return std::complex<double>(v.r, v.i); };
    std::vector<FComplex> roots;
    for (const std::complex<double>& r : ::QuadraticRoots(cpx(c[0]), cpx(c[1]), cpx(c[2]))) {
        roots.emplace_back(r.real(), r.imag());
    }
    return roots;
}

// Removes the roots at the origin that both lists have, one for one.
void CancelAtOrigin(std::vector<FComplex>* zeros, std::vector<FComplex>* poles) {
    const auto shared = std::min(std::count_if(zeros->begin(), zeros->end(), IsZero),
                                 std::count_if(poles->begin(), poles->end(), IsZero));
    for (std::vector<FComplex>* roots : {zeros, poles}) {
        for (auto n = shared; n > 0; --n) {
            roots->erase(std::find_if(roots->begin(), roots->end(), IsZero));
        }
    }
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

Zpk SosCascade::ToZpk() const {
    Zpk zpk;
    zpk.gain = gain;
    for (const FBiquad& s : sections) {
        const std::vector<FComplex> zeros = QuadraticRoots(s.b);
        const std::vector<FComplex> poles = QuadraticRoots(s.a);
        const auto lead =
            std::find_if(s.b.begin(), s.b.end(), [](FComplex v) { return !IsZero(v); });
        if (lead == s.b.end()) {
            zpk.gain = 0.0;
        } else {
            FComplex factor = *lead;
            factor /= s.a[0];
            // The sections FromZpk makes, scaled by real factors, lead with a real
            // coefficient whether their roots are conjugate or not.
            zpk.gain *= factor.r;
        }
        zpk.zeros.insert(zpk.zeros.end(), zeros.begin(), zeros.end());
        zpk.poles.insert(zpk.poles.end(), poles.begin(), poles.end());
    }
    CancelAtOrigin(&zpk.zeros, &zpk.poles);
    return zpk;
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
