#include "filter/FDEMaker.h"

short FDEMaker::PolyMultiply(std::vector<FComplex>* poly, const std::vector<FComplex>& factor) {
    if (poly == nullptr || poly->empty() || factor.empty()) {
        return -1;
    }
    std::vector<FComplex> product(poly->size() + factor.size() - 1);
    for (size_t a = 0; a < poly->size(); ++a) {
        for (size_t b = 0; b < factor.size(); ++b) {
            product[a + b] += (*poly)[a] * factor[b];
        }
    }
    *poly = std::move(product);
    return 0;
}

std::vector<FComplex> FDEMaker::Expand(const std::vector<FComplex>& roots) {
    std::vector<FComplex> poly{FComplex(1.0, 0.0)};
    std::vector<FComplex> factor{FComplex(), FComplex(1.0, 0.0)};
    for (const FComplex& root : roots) {
        factor[0] = root * -1.0;
        PolyMultiply(&poly, factor);
    }
    return poly;
}

void FDEMaker::Load(const Zpk& zpk) {
    mPolePoly = Expand(zpk.poles);
    mZeroPoly = Expand(zpk.zeros);
}

void FDEMaker::LoadNodeList(const FNodeList* list) {
    if (list != nullptr) {
        Load(Zpk::FromNodeList(*list));
    }
}

FComplex FDEMaker::GetZeroPolyCoeff(int k) const {
    return k >= 0 && static_cast<size_t>(k) < mZeroPoly.size() ? mZeroPoly[static_cast<size_t>(k)]
                                                               : FComplex();
}

FComplex FDEMaker::GetPolePolyCoeff(int k) const {
    return k >= 0 && static_cast<size_t>(k) < mPolePoly.size() ? mPolePoly[static_cast<size_t>(k)]
                                                               : FComplex();
}

bool FDEMaker::GetDEArrays(std::vector<FComplex>* x, std::vector<FComplex>* y) const {
    if (mPolePoly.empty() || mZeroPoly.empty() || mZeroPoly.size() > mPolePoly.size() ||
        x == nullptr || y == nullptr) {
        return false;
    }
    const size_t n = mPolePoly.size();
    const size_t last = n - 1;
    const FComplex lead = mPolePoly[last];
    std::vector<FComplex> xs(n);
    std::vector<FComplex> ys(n);
    for (size_t k = 0; k < mZeroPoly.size(); ++k) {
        xs[last - k] = mZeroPoly[k] / lead;
    }
    for (size_t k = 0; k < n; ++k) {
        ys[last - k] = (-1.0 * mPolePoly[k]) / lead;
    }
    ys[0] = FComplex();
    *x = std::move(xs);
    *y = std::move(ys);
    return true;
}
