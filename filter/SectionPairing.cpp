#include "filter/SectionPairing.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <set>

namespace {

double CircleDistance(FComplex p) {
    return std::fabs(p.Mag() - 1.0);
}

double Distance(FComplex p, const RootUnit& z) {
    const double d = p.MagDifference(z.value);
    return z.pair ? std::min(d, p.MagDifference(z.value.Conj())) : d;
}

void AddRoots(const RootUnit& u, std::vector<FComplex>* roots) {
    roots->push_back(u.value);
    if (u.pair) {
        roots->push_back(u.value.Conj());
    }
}

// The pole groups, nearest the circle first.
std::vector<std::vector<RootUnit>> GroupPoles(const std::vector<RootUnit>& poles) {
    std::vector<RootUnit> order = poles;
    std::stable_sort(order.begin(), order.end(), [](const RootUnit& a, const RootUnit& b) {
        return CircleDistance(a.value) < CircleDistance(b.value);
    });
    std::vector<bool> used(order.size(), false);
    std::vector<std::vector<RootUnit>> groups;
    for (size_t k = 0; k < order.size(); ++k) {
        if (used[k]) {
            continue;
        }
        used[k] = true;
        std::vector<RootUnit> group{order[k]};
        for (size_t j = k + 1; !order[k].pair && j < order.size(); ++j) {
            if (!used[j] && !order[j].pair) {
                used[j] = true;
                group.push_back(order[j]);
                break;
            }
        }
        groups.push_back(group);
    }
    return groups;
}

int RootCount(const std::vector<RootUnit>& units) {
    int n = 0;
    for (const RootUnit& u : units) {
        n += u.pair ? 2 : 1;
    }
    return n;
}

// Zeros still to place, and the choice of some of them for one section.
class ZeroPool {
public:
    explicit ZeroPool(const std::vector<RootUnit>& zeros) : mZeros(zeros) {}

    // The unused zero nearest p, of the kind asked for (pairs, singles or either),
    // leaving out one index.
    std::optional<size_t> Nearest(FComplex p, std::optional<bool> pair,
                                  std::optional<size_t> except = {}) const {
        std::optional<size_t> best;
        double bestDistance = std::numeric_limits<double>::infinity();
        for (size_t k = 0; k < mZeros.size(); ++k) {
            if (mUsed.count(k) != 0 || (pair && mZeros[k].pair != *pair) || except == k) {
                continue;
            }
            const double d = Distance(p, mZeros[k]);
            if (!best || d < bestDistance) {
                best = k;
                bestDistance = d;
            }
        }
        return best;
    }

    // Whether the zeros left after taking choice fit sections of two and one poles.
    bool Fits(const std::vector<size_t>& choice, int twos, int ones) const {
        int pairs = 0;
        int singles = 0;
        for (size_t k = 0; k < mZeros.size(); ++k) {
            if (mUsed.count(k) == 0 && std::find(choice.begin(), choice.end(), k) == choice.end()) {
                (mZeros[k].pair ? pairs : singles) += 1;
            }
        }
        return pairs <= twos && 2 * pairs + singles <= 2 * twos + ones;
    }

    void Take(const std::vector<size_t>& choice, std::vector<FComplex>* roots) {
        for (const size_t k : choice) {
            mUsed.insert(k);
            AddRoots(mZeros[k], roots);
        }
    }

private:
    std::vector<RootUnit> mZeros;
    std::set<size_t> mUsed;
};

} // namespace

std::vector<SectionRoots> PairSections(const std::vector<RootUnit>& poles,
                                       const std::vector<RootUnit>& zeros) {
    const std::vector<std::vector<RootUnit>> groups = GroupPoles(poles);
    int twos = 0;
    int ones = 0;
    for (const auto& g : groups) {
        (RootCount(g) == 2 ? twos : ones) += 1;
    }
    ZeroPool pool(zeros);
    std::vector<SectionRoots> sections;
    for (const auto& group : groups) {
        const bool two = RootCount(group) == 2;
        (two ? twos : ones) -= 1;
        const FComplex p1 = group[0].value;
        const FComplex p2 = group.size() == 2 ? group[1].value : p1;
        // The choices in order of preference; the first that leaves a placeable rest
        // is taken, and taking none always is one.
        std::vector<std::vector<size_t>> choices;
        const auto add = [&choices](std::optional<size_t> a, std::optional<size_t> b = {}) {
            std::vector<size_t> choice;
            for (const auto& k : {a, b}) {
                if (k) {
                    choice.push_back(*k);
                }
            }
            if (!choice.empty()) {
                choices.push_back(choice);
            }
        };
        const std::optional<size_t> single = pool.Nearest(p1, false);
        if (two) {
            const std::optional<size_t> nearest = pool.Nearest(p1, std::nullopt);
            if (nearest && zeros[*nearest].pair) {
                add(nearest);
            } else if (nearest) {
                add(nearest, pool.Nearest(p2, false, nearest));
            }
            add(pool.Nearest(p1, true));
            if (single) {
                add(single, pool.Nearest(p2, false, single));
            }
        }
        add(single);
        choices.emplace_back();
        SectionRoots section;
        for (const RootUnit& u : group) {
            AddRoots(u, &section.poles);
        }
        for (const auto& choice : choices) {
            if (pool.Fits(choice, twos, ones)) {
                pool.Take(choice, &section.zeros);
                break;
            }
        }
        sections.push_back(section);
    }
    std::reverse(sections.begin(), sections.end());
    return sections;
}
