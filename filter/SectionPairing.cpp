#include "filter/SectionPairing.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// A conjugate pair (held as its member above the axis) or a single root. A stand-in
// is a root at the origin added only to even up the counts.
struct Unit {
    FComplex value;
    bool pair = false;
    bool standIn = false;
};

double CircleDistance(const Unit& u) {
    return std::fabs(1.0 - u.value.Mag());
}

bool Before(const Unit& a, const Unit& b) {
    return a.value.r != b.value.r ? a.value.r < b.value.r : a.value.i < b.value.i;
}

std::vector<Unit> Units(const std::vector<FComplex>& roots) {
    std::vector<bool> used(roots.size(), false);
    std::vector<Unit> units;
    for (size_t k = 0; k < roots.size(); ++k) {
        if (used[k]) {
            continue;
        }
        used[k] = true;
        const FComplex v = roots[k];
        std::optional<size_t> mirror;
        for (size_t j = k + 1; v.i != 0.0 && !mirror && j < roots.size(); ++j) {
            if (!used[j] && roots[j].r == v.r && roots[j].i == -v.i) {
                mirror = j;
            }
        }
        if (mirror) {
            used[*mirror] = true;
            units.push_back({v.i > 0.0 ? v : v.Conj(), true});
        } else {
            units.push_back({v, false});
        }
    }
    return units;
}

// The pairs, then the single roots, each sorted by real part: where two roots are
// equally near, the first in this order is taken.
void Arrange(std::vector<Unit>* units) {
    std::stable_sort(units->begin(), units->end(), [](const Unit& a, const Unit& b) {
        return a.pair != b.pair ? a.pair : Before(a, b);
    });
}

int RootCount(const std::vector<Unit>& units) {
    int n = 0;
    for (const Unit& u : units) {
        n += u.pair ? 2 : 1;
    }
    return n;
}

// The first unit nearest the circle among those that pass.
template <typename Pass>
std::optional<size_t> NearestCircle(const std::vector<Unit>& units, Pass pass) {
    std::optional<size_t> best;
    for (size_t k = 0; k < units.size(); ++k) {
        if (pass(units[k]) && (!best || CircleDistance(units[k]) < CircleDistance(units[*best]))) {
            best = k;
        }
    }
    return best;
}

// The first zero nearest p among those that pass.
template <typename Pass>
std::optional<size_t> NearestTo(const std::vector<Unit>& zeros, FComplex p, Pass pass) {
    std::optional<size_t> best;
    for (size_t k = 0; k < zeros.size(); ++k) {
        if (pass(zeros[k]) &&
            (!best || zeros[k].value.MagDifference(p) < zeros[*best].value.MagDifference(p))) {
            best = k;
        }
    }
    return best;
}

Unit Take(std::vector<Unit>* units, size_t k) {
    const Unit u = (*units)[k];
    units->erase(units->begin() + static_cast<std::ptrdiff_t>(k));
    return u;
}

size_t CountSingles(const std::vector<Unit>& units) {
    return static_cast<size_t>(
        std::count_if(units.begin(), units.end(), [](const Unit& u) { return !u.pair; }));
}

const auto kAny = [](const Unit&) { return true; };
const auto kSingle = [](const Unit& u) { return !u.pair; };
const auto kPair = [](const Unit& u) { return u.pair; };

// The section of the chosen units, stand-ins left out.
struct Chosen {
    std::vector<Unit> poles;
    std::vector<Unit> zeros;
};

void AddRoots(const std::vector<Unit>& units, std::vector<FComplex>* roots) {
    for (const Unit& u : units) {
        if (u.standIn) {
            continue;
        }
        roots->push_back(u.value);
        if (u.pair) {
            roots->push_back(u.value.Conj());
        }
    }
}

// Pairs the pole nearest the circle with a partner and zeros, as the nearest rule does.
Chosen NextSection(std::vector<Unit>* poles, std::vector<Unit>* zeros) {
    Chosen s;
    const Unit p1 = Take(poles, *NearestCircle(*poles, kAny));
    s.poles.push_back(p1);
    if (!p1.pair && CountSingles(*poles) == 0) {
        // The last single pole: it takes the nearest single zero.
        if (const auto z = NearestTo(*zeros, p1.value, kSingle)) {
            s.zeros.push_back(Take(zeros, *z));
        }
        return s;
    }
    if (p1.pair && poles->size() + 1 == zeros->size() && CountSingles(*poles) == 1 &&
        CountSingles(*zeros) == 1) {
        // The one single zero left must go with the one single pole left, so this pair
        // takes a zero pair.
        if (const auto z = NearestTo(*zeros, p1.value, kPair)) {
            s.zeros.push_back(Take(zeros, *z));
        }
        return s;
    }
    if (!p1.pair) {
        s.poles.push_back(Take(poles, *NearestCircle(*poles, kSingle)));
    }
    if (zeros->empty()) {
        return s;
    }
    const Unit z1 = Take(zeros, *NearestTo(*zeros, p1.value, kAny));
    s.zeros.push_back(z1);
    if (!z1.pair) {
        if (const auto z2 = NearestTo(*zeros, p1.value, kSingle)) {
            s.zeros.push_back(Take(zeros, *z2));
        }
    }
    return s;
}

} // namespace

std::vector<SectionRoots> PairSections(const std::vector<FComplex>& poleRoots,
                                       const std::vector<FComplex>& zeroRoots) {
    std::vector<Unit> poles = Units(poleRoots);
    std::vector<Unit> zeros = Units(zeroRoots);
    const int poleCount = RootCount(poles);
    const int delay = poleCount - RootCount(zeros);
    if (poleCount == 0 || delay < 0) {
        return {};
    }
    const Unit standIn{FComplex(), false, true};
    zeros.insert(zeros.end(), static_cast<size_t>(delay), standIn);
    if (poleCount % 2 == 1) {
        poles.push_back(standIn);
        zeros.push_back(standIn);
    }
    Arrange(&poles);
    Arrange(&zeros);
    std::vector<Chosen> chosen;
    while (!poles.empty()) {
        chosen.push_back(NextSection(&poles, &zeros));
    }
    std::reverse(chosen.begin(), chosen.end());

    std::vector<SectionRoots> sections;
    for (const Chosen& c : chosen) {
        SectionRoots s;
        AddRoots(c.poles, &s.poles);
        AddRoots(c.zeros, &s.zeros);
        s.delay = std::max(0, static_cast<int>(s.poles.size()) - static_cast<int>(s.zeros.size()));
        sections.push_back(s);
    }
    // A section that kept the odd stand-in pole but two real zeros cannot delay its
    // numerator by -1; another section's delay gives way instead.
    int excess = -delay;
    for (const SectionRoots& s : sections) {
        excess += s.delay;
    }
    for (SectionRoots& s : sections) {
        const int cut = std::min(excess, s.delay);
        s.delay -= cut;
        excess -= cut;
    }
    return sections;
}
