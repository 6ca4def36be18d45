#pragma once

#include "core/FComplex.h"
#include "core/FNodeList.h"
#include "filter/Zpk.h"

#include <vector>

// Expands a design into the two monic polynomials of H(z) = N(z) / D(z): N is the
// product of (z - zero), D of (z - pole), with no gain factor. Element k of either
// polynomial is the coefficient of z^k. Also derives the difference-equation arrays.
// The polynomials are for showing and saving; H itself is evaluated from the roots
// (Zpk), which keeps precision that the expanded coefficients lose.
class FDEMaker {
public:
    // Rebuilds both polynomials from the roots; the gain is not part of them.
    void Load(const Zpk& zpk);
    // Load of the design's roots: a conjugate node contributes its value and its mirror.
    void LoadNodeList(const FNodeList* list);

    // Coefficient of z^k, or 0 + 0j outside 0 <= k < count or before any load.
    FComplex GetZeroPolyCoeff(int k) const;
    FComplex GetPolePolyCoeff(int k) const;
    // Number of coefficients (degree + 1); 0 before the first load.
    int ZeroPolyCnt() const { return static_cast<int>(mZeroPoly.size()); }
    int PolePolyCnt() const { return static_cast<int>(mPolePoly.size()); }

    // The difference-equation arrays, both of the pole polynomial's length n: x[d]
    // multiplies x[n-d] and y[d] multiplies y[n-d], with the feedback sign already
    // turned and y[0] = 0. False (outputs untouched) before a load or when there are
    // more zeros than poles.
    bool GetDEArrays(std::vector<FComplex>* x, std::vector<FComplex>* y) const;

private:
    // Replaces poly by poly * factor; -1 (nothing changed) when either is empty.
    static short PolyMultiply(std::vector<FComplex>* poly, const std::vector<FComplex>& factor);
    static std::vector<FComplex> Expand(const std::vector<FComplex>& roots);

    std::vector<FComplex> mPolePoly;
    std::vector<FComplex> mZeroPoly;
};
