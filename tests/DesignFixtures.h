#pragma once

#include "core/FNodeList.h"
#include "design/iir/FStandardDesign.h"
#include "filter/SosCascade.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <fstream>
#include <initializer_list>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

// Designs and an independent reference for the analysis and audio tests.

inline FNode PoleAt(double r, double i, bool conjugate = false) {
    return FNode(kNodePole, FComplex(r, i), conjugate, 1);
}
inline FNode ZeroAt(double r, double i, bool conjugate = false) {
    return FNode(kNodeZero, FComplex(r, i), conjugate, 1);
}
// The sections of a causal design, times gain.
inline SosCascade Cascade(const FNodeList& list, double gain = 1.0) {
    SosCascade cascade = *SosCascade::FromZpk(Zpk::FromNodeList(list));
    cascade.gain *= gain;
    return cascade;
}

// A standard design at 8000 Hz (band types from corner to 2000 Hz); empty when the
// request is refused.
inline Zpk StandardDesign(FStandardDesign::Family family, FStandardDesign::Band band, int order,
                          double corner = 1000, double rate = kDefaultSampleRate) {
    FStandardDesign design;
    design.family = family;
    design.band = band;
    design.order = order;
    design.corner = corner;
    design.rate = rate;
    Zpk zpk;
    design.Design(&zpk);
    return zpk;
}

// A design of the nodes given, added in that order.
inline FNodeList Design(std::initializer_list<FNode> nodes) {
    FNodeList list;
    for (const FNode& n : nodes) {
        list.AddNode(n);
    }
    return list;
}

// A random design of up to maxRoots roots per type, roots inside radius 0.95 for
// poles and anywhere up to 1.5 for zeros; conjugate nodes are mixed in.
inline FNodeList RandomDesign(std::mt19937& rng, int maxRoots, bool causal) {
    std::uniform_real_distribution<double> radius(0.05, 0.95);
    std::uniform_real_distribution<double> angle(-3.1, 3.1);
    std::bernoulli_distribution pair(0.5);
    std::uniform_int_distribution<int> rootCount(0, maxRoots);
    FNodeList list;
    const int poleRoots = rootCount(rng);
    int zeroRoots = rootCount(rng);
    if (causal && zeroRoots > poleRoots) {
        zeroRoots = poleRoots;
    }
    for (int type : {kNodePole, kNodeZero}) {
        int left = type == kNodePole ? poleRoots : zeroRoots;
        while (left > 0) {
            const bool conjugate = left >= 2 && pair(rng);
            FComplex v;
            v.SetByRadian(type == kNodePole ? radius(rng) : 1.5 * radius(rng), angle(rng));
            list.AddNode(FNode(type, v, conjugate, 1));
            left -= conjugate ? 2 : 1;
        }
    }
    return list;
}

// Conjugate pole pairs at one radius, step radians apart from angle start, and
// conjugate zero pairs on the unit circle spread over the rest of the band: the
// clustered designs whose expanded polynomials lose their precision.
inline FNodeList ClusteredDesign(int polePairs, double radius, double start, double step,
                                 int zeroPairs) {
    const auto at = [](double r, double a) { return FComplex(r * std::cos(a), r * std::sin(a)); };
    FNodeList list;
    for (int k = 0; k < polePairs; ++k) {
        list.AddNode(FNode(kNodePole, at(radius, start + step * k), true, 1));
    }
    for (int k = 0; k < zeroPairs; ++k) {
        list.AddNode(FNode(kNodeZero, at(1.0, 0.15 + 2.9 * k / zeroPairs), true, 1));
    }
    return list;
}

// Designs of 16 to 40 roots: poles clustered at radius 0.99 and an elliptic-like
// band-pass (poles close to the circle across the band, zeros on it either side).
inline std::vector<FNodeList> HardDesigns() {
    std::vector<FNodeList> designs = {ClusteredDesign(10, 0.99, 1.0, 0.02, 10),
                                      ClusteredDesign(20, 0.99, 0.5, 0.02, 0),
                                      ClusteredDesign(6, 0.9995, 0.4, 0.003, 4)};
    FNodeList bandPass = ClusteredDesign(7, 0.98, 0.9, 0.03, 0);
    for (double angle : {0.6, 0.7, 0.8, 1.2, 1.35, 1.6}) {
        bandPass.AddNode(FNode(kNodeZero, FComplex(std::cos(angle), std::sin(angle)), true, 1));
    }
    designs.push_back(bandPass);
    // Complex roots without their conjugates run in complex arithmetic.
    designs.push_back(Design({PoleAt(0.9, 0.3), PoleAt(0.5, -0.7), PoleAt(0.95, 0.1, true),
                              ZeroAt(0.2, 1.0), ZeroAt(-1, 0)}));
    return designs;
}

// Every root of one type, a conjugate node giving two.
inline std::vector<std::complex<double>> Roots(const FNodeList& list, int type) {
    std::vector<std::complex<double>> roots;
    for (short k = 0; k < list.GetListCount(type); ++k) {
        const FNode n = list.GetNodeByIndex(type, k);
        roots.emplace_back(n.Value().r, n.Value().i);
        if (n.Conjugate()) {
            roots.emplace_back(n.Value().r, -n.Value().i);
        }
    }
    return roots;
}

// H(z) as the product of (z - zero) / (z - pole), computed from the roots directly,
// in double or in long double.
template <typename T = double>
inline std::complex<T> ReferenceH(const FNodeList& list, std::type_identity_t<std::complex<T>> z) {
    std::complex<T> h(1.0, 0.0);
    for (const auto& zero : Roots(list, kNodeZero)) {
        h *= z - std::complex<T>(zero);
    }
    for (const auto& pole : Roots(list, kNodePole)) {
        h /= z - std::complex<T>(pole);
    }
    return h;
}

// The roots as std::complex.
inline std::vector<std::complex<double>> Complexes(const std::vector<FComplex>& roots) {
    std::vector<std::complex<double>> values;
    for (const FComplex& r : roots) {
        values.emplace_back(r.r, r.i);
    }
    return values;
}

// The largest distance of a wanted root from the nearest found root not matched before,
// relative to 1 + its size; infinite when the counts differ.
inline double RootMismatch(std::vector<std::complex<double>> found,
                           const std::vector<std::complex<double>>& want) {
    if (found.size() != want.size()) {
        return INFINITY;
    }
    double worst = 0.0;
    for (const std::complex<double>& w : want) {
        const auto nearest = std::min_element(found.begin(), found.end(), [&w](auto a, auto b) {
            return std::abs(a - w) < std::abs(b - w);
        });
        worst = std::max(worst, std::abs(*nearest - w) / (1.0 + std::abs(w)));
        found.erase(nearest);
    }
    return worst;
}

inline std::complex<long double> ReferenceHLong(const FNodeList& list, double omega) {
    return ReferenceH<long double>(list, std::polar(1.0L, static_cast<long double>(omega)));
}

// Largest distance from a reference root to its nearest unused root of got.
inline double RootDistance(const std::vector<std::complex<double>>& reference,
                           std::vector<std::complex<double>> got) {
    double worst = reference.size() == got.size() ? 0.0 : 1e300;
    for (size_t k = 0; k < reference.size() && !got.empty(); ++k) {
        const auto nearer = [&](std::complex<double> a, std::complex<double> b) {
            return std::abs(a - reference[k]) < std::abs(b - reference[k]);
        };
        const auto nearest = std::min_element(got.begin(), got.end(), nearer);
        worst = std::max(worst, std::abs(*nearest - reference[k]));
        got.erase(nearest);
    }
    return worst;
}

// One record of a reference data file: a header line of the given tag with its numbers
// (the words after them name the case), the numbers of the one-line records that follow
// it by tag (K, the gain; O ...), and its zeros (Z) and poles (P).
struct Reference {
    std::string line;
    std::vector<double> header;
    std::map<std::string, std::vector<double>> values;
    std::vector<std::complex<double>> zeros;
    std::vector<std::complex<double>> poles;
};

inline std::vector<Reference> ReadReferences(const std::string& path, const std::string& tag) {
    std::ifstream in(path);
    std::vector<Reference> references;
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        std::string first;
        if (!(fields >> first) || first == "#" || (references.empty() && first != tag)) {
            continue;
        }
        std::vector<double> numbers;
        for (double x; fields >> x;) {
            numbers.push_back(x);
        }
        if (first == tag) {
            references.push_back({line, numbers, {}, {}, {}});
        } else if (first == "Z" || first == "P") {
            (first == "Z" ? references.back().zeros : references.back().poles)
                .emplace_back(numbers.at(0), numbers.at(1));
        } else {
            references.back().values[first] = numbers;
        }
    }
    return references;
}
