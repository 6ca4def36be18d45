#pragma once

// Complete and incomplete elliptic integrals of the first kind and the Jacobi elliptic
// functions, for the elliptic filter prototype. Parameters are given as the
// complement mc = 1 - m wherever m may lie close to 1, so that no precision is lost
// forming 1 - m.

// Carlson's symmetric integral RF(x, y, z); x, y, z >= 0, at most one of them zero.
double CarlsonRF(double x, double y, double z);

// K(m) from the complementary parameter mc = 1 - m, 0 < mc <= 1.
double EllipticKFromComplement(double mc);

// F(phi | m) for 0 <= phi <= pi/2, from the complementary parameter mc = 1 - m.
double EllipticFFromComplement(double phi, double mc);

// sn, cn and dn of u for parameter m = 1 - mc, 0 <= mc <= 1.
struct JacobiValues {
    double sn;
    double cn;
    double dn;
};
JacobiValues Jacobi(double u, double mc);

// The parameter m of the degree equation N K'(m1)/K(m1) = K'(m)/K(m), solved through
// the nome; returned with its complement so that both keep full precision.
struct EllipticParameter {
    double m;
    double mc;
};
EllipticParameter SolveDegreeEquation(int order, double m1);
