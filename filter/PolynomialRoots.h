#pragma once

#include <complex>
#include <functional>
#include <vector>

// Roots of polynomials, every root listed as often as it occurs.

// Aberth's simultaneous iteration from the estimates in start, one per root: newtonStep(z)
// is p(z) / p'(z), or 0 where p(z) is 0. Each round moves every estimate in turn; the
// iteration ends one round after no estimate moved by more than 1e-10 of its size (the
// convergence is cubic, so that round leaves the roots exact to rounding), or after 500.
std::vector<std::complex<double>>
AberthRoots(std::vector<std::complex<double>> start,
            const std::function<std::complex<double>(std::complex<double>)>& newtonStep);

// The roots of c2 z^2 + c1 z + c0: two, or one or none when the leading coefficients are
// 0. Found without cancellation (the larger root first, the smaller as the product over
// it); real coefficients give real roots or an exact conjugate pair.
std::vector<std::complex<double>> QuadraticRoots(std::complex<double> c2, std::complex<double> c1,
                                                 std::complex<double> c0);

// The roots of c[0] z^n + c[1] z^(n-1) + ... + c[n], real coefficients with the highest
// power first, as scipy and MATLAB write them. Leading zeros lower the degree; trailing
// zeros are roots exactly at 0. Complex roots come as exact conjugate pairs, real roots
// with no imaginary part. Aberth's iteration in double precision, each root then refined
// by Newton's method with the polynomial evaluated in double-double precision: a root
// well apart from the others is exact to about 1e-15 of its size. Empty when every
// coefficient is 0.
std::vector<std::complex<double>> RealPolynomialRoots(const std::vector<double>& c);
