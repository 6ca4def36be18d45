#pragma once

#include "core/FComplex.h"

#include <vector>

// Grouping of a design's roots into second-order sections.

// A root, or with pair set a root and its conjugate.
struct RootUnit {
    FComplex value;
    bool pair = false;
};

// The roots of one section: one or two poles and at most as many zeros.
struct SectionRoots {
    std::vector<FComplex> poles;
    std::vector<FComplex> zeros;
};

// Splits the roots into sections in the order a cascade runs them. Working from the
// poles nearest the unit circle outwards, each pair (or two single poles, those
// nearest the circle first) makes one section, and takes the zeros nearest its first
// pole: a conjugate pair, or up to two single zeros, as long as the zeros left still
// fit the sections left. Those sections run last, where their large gain near the
// circle meets a signal the others have already shaped. The zeros' root count must
// not exceed the poles'; an empty pole list gives no sections.
std::vector<SectionRoots> PairSections(const std::vector<RootUnit>& poles,
                                       const std::vector<RootUnit>& zeros);
