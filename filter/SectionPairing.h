#pragma once

#include "core/FComplex.h"

#include <vector>

// Grouping of a filter's roots into second-order sections.

// The roots of one section: one or two poles, at most two zeros, and the delay of its
// numerator: b(z^-1) = z^-delay * prod(1 - zero z^-1).
struct SectionRoots {
    std::vector<FComplex> poles;
    std::vector<FComplex> zeros;
    int delay = 0;
};

// Splits the roots (every root listed, conjugates included) into sections in the order
// a cascade runs them, the sections nearest the unit circle last, where their large
// gain meets a signal the others have already shaped. Roots whose exact mirror image
// is also a root form conjugate pairs; the other complex roots count as single roots,
// like real ones. The pairing is the "nearest" rule of scipy.signal.zpk2sos: poles
// are taken from the circle inwards, each with its conjugate or with the next real pole
// nearest the circle, and with the zeros nearest it. As there, fewer zeros than poles
// are made up with zeros at the origin (and an odd pole count with one more pole and
// zero there), which then shape the pairing but appear here as numerator delays. The
// zeros' root count must not exceed the poles'; no poles give no sections.
std::vector<SectionRoots> PairSections(const std::vector<FComplex>& poles,
                                       const std::vector<FComplex>& zeros);
