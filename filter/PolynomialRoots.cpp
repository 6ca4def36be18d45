#include "filter/PolynomialRoots.h"

#include "core/DoubleDouble.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

using Cpx = std::complex<double>;

constexpr int kMaxRounds = 500;
// Newton steps that refine each root, each kept only when it brings the value down.
constexpr int kRefiningSteps = 3;
// A root this close to the real axis, relative to its size, is real.
constexpr double kRealTolerance = 1e-13;

// One polynomial, highest power first, with no zero at either end; reversed, it is the
// polynomial of the reciprocal roots. Roots outside the unit circle are found as the
// reciprocals of the reversed polynomial's roots inside it, where its powers neither
// overflow nor drown the lower terms.
class Polynomial {
public:
    explicit Polynomial(std::vector<double> a) : mA(std::move(a)) {}

    std::size_t Degree() const { return mA.size() - 1; }
    double Coefficient(std::size_t k, bool reversed) const {
        return mA[reversed ? Degree() - k : k];
    }

    // p(z) / p'(z) in double precision; 0 where p(z) is within the rounding of its
    // evaluation, where further steps would only follow the noise.
    Cpx NewtonStep(Cpx z) const {
        const bool reversed = std::abs(z) > 1.0;
        const Cpx x = reversed ? 1.0 / z : z;
        const double size = std::abs(x);
        Cpx value = Coefficient(0, reversed);
        Cpx slope = 0.0;
        double bound = std::abs(value);
        for (std::size_t k = 1; k <= Degree(); ++k) {
            slope = slope * x + value;
            value = value * x + Coefficient(k, reversed);
            bound = bound * size + std::abs(Coefficient(k, reversed));
        }
        // Horner's rounding stays below 2n units of the last place of the sum of the
        // terms' magnitudes; complex products double that.
        const double noise =
            4.0 * static_cast<double>(Degree()) * std::numeric_limits<double>::epsilon() * bound;
        if (std::abs(value) <= noise) {
            return 0.0;
        }
        if (!reversed) {
            return value / slope;
        }
        // p(z) = z^n q(1/z), so p / p' = z q / (n q - q' / z).
        return z * value / (static_cast<double>(Degree()) * value - x * slope);
    }

    // The value in double-double precision and the slope in double precision at x, of
    // the polynomial or of its reverse.
    Cpx Value(Cpx x, bool reversed, Cpx* slope) const {
        const DoubleDoubleComplex wideX = DoubleDoubleComplex::From(x);
        DoubleDoubleComplex value = DoubleDoubleComplex::From(Coefficient(0, reversed));
        *slope = 0.0;
        for (std::size_t k = 1; k <= Degree(); ++k) {
            *slope = *slope * x + value.ToComplex();
            value = value * wideX + DoubleDoubleComplex::From(Coefficient(k, reversed));
        }
        return value.ToComplex();
    }

    // The root near z refined by Newton's method with exact values.
    Cpx Refined(Cpx z) const {
        const bool reversed = std::abs(z) > 1.0;
        Cpx best = reversed ? 1.0 / z : z;
        Cpx slope;
        Cpx value = Value(best, reversed, &slope);
        for (int step = 0; step < kRefiningSteps && value != 0.0 && slope != 0.0; ++step) {
            const Cpx next = best - value / slope;
            Cpx nextSlope;
            const Cpx nextValue = Value(next, reversed, &nextSlope);
            if (!(std::abs(nextValue) < std::abs(value))) {
                break;
            }
            best = next;
            value = nextValue;
            slope = nextSlope;
        }
        return reversed ? 1.0 / best : best;
    }

    // One estimate per root: on the circles the upper convex hull of the points
    // (j, log |coefficient of z^j|) gives, as many on each as the hull's edge spans, so
    // that roots of very different sizes start near their own circles.
    std::vector<Cpx> StartingPoints() const {
        const auto n = static_cast<int>(Degree());
        const auto logSize = [this, n](int j) { return std::log(std::abs(mA[n - j])); };
        std::vector<int> hull;
        for (int j = 0; j <= n; ++j) {
            if (mA[n - j] == 0.0) {
                continue;
            }
            while (hull.size() >= 2) {
                const int i = hull[hull.size() - 2];
                const int k = hull.back();
                if ((logSize(k) - logSize(i)) * (j - k) > (logSize(j) - logSize(k)) * (k - i)) {
                    break;
                }
                hull.pop_back();
            }
            hull.push_back(j);
        }
        std::vector<Cpx> start;
        for (std::size_t e = 1; e < hull.size(); ++e) {
            const int i = hull[e - 1];
            const int count = hull[e] - i;
            const double radius = std::exp((logSize(i) - logSize(hull[e])) / count);
            for (int m = 0; m < count; ++m) {
                // Off the real axis, so that no two estimates start as mirror images.
                const double angle =
                    2.0 * std::numbers::pi * (m + static_cast<double>(i) / n) / count + 0.4;
                start.push_back(std::polar(radius, angle));
            }
        }
        return start;
    }

private:
    std::vector<double> mA;
};

// Roots of a real polynomial come in mirror images; rounding leaves real roots slightly
// off the axis and pairs slightly apart. Puts real roots on the axis and makes each
// root above it the exact mirror of its nearest partner below.
void MakeConjugate(std::vector<Cpx>* roots) {
    std::vector<Cpx*> upper;
    std::vector<Cpx*> lower;
    for (Cpx& r : *roots) {
        if (std::abs(r.imag()) <= kRealTolerance * std::abs(r)) {
            r = r.real();
        }
        if (r.imag() != 0.0) {
            (r.imag() > 0.0 ? upper : lower).push_back(&r);
        }
    }
    // A side with more roots has real roots among them: those nearest the axis.
    std::vector<Cpx*>& larger = upper.size() > lower.size() ? upper : lower;
    std::sort(larger.begin(), larger.end(),
              [](Cpx* a, Cpx* b) { return std::abs(a->imag()) > std::abs(b->imag()); });
    while (upper.size() != lower.size()) {
        *larger.back() = larger.back()->real();
        larger.pop_back();
    }
    std::vector<bool> taken(lower.size(), false);
    for (Cpx* u : upper) {
        std::size_t nearest = lower.size();
        for (std::size_t j = 0; j < lower.size(); ++j) {
            if (!taken[j] &&
                (nearest == lower.size() ||
                 std::abs(std::conj(*u) - *lower[j]) < std::abs(std::conj(*u) - *lower[nearest]))) {
                nearest = j;
            }
        }
        taken[nearest] = true;
        const Cpx mean = (*u + std::conj(*lower[nearest])) / 2.0;
        *u = mean;
        *lower[nearest] = std::conj(mean);
    }
}

} // namespace

std::vector<Cpx> AberthRoots(std::vector<Cpx> z, const std::function<Cpx(Cpx)>& newtonStep) {
    bool converged = false;
    for (int round = 0; round < kMaxRounds; ++round) {
        double largestStep = 0.0;
        for (std::size_t k = 0; k < z.size(); ++k) {
            const Cpx ratio = newtonStep(z[k]);
            if (ratio == 0.0) {
                continue;
            }
            Cpx repulsion = 0.0;
            for (std::size_t j = 0; j < z.size(); ++j) {
                if (j != k) {
                    // 1 / d without the library's guarded complex division, which would
                    // take most of the time; the estimates stay far from overflow.
                    const Cpx d = z[k] - z[j];
                    repulsion += std::conj(d) / std::norm(d);
                }
            }
            const Cpx step = ratio / (1.0 - ratio * repulsion);
            z[k] -= step;
            largestStep = std::max(largestStep, std::abs(step) / std::abs(z[k]));
        }
        if (converged) {
            break;
        }
        converged = largestStep < 1e-10;
    }
    return z;
}

std::vector<Cpx> QuadraticRoots(Cpx c2, Cpx c1, Cpx c0) {
    if (c2 == 0.0) {
        return c1 == 0.0 ? std::vector<Cpx>{} : std::vector<Cpx>{-c0 / c1};
    }
    if (c0 == 0.0) {
        return {0.0, -c1 / c2};
    }
    // Scaled exactly, by a power of two near the largest coefficient, the discriminant
    // can neither overflow nor underflow.
    const int exponent = std::ilogb(std::max({std::abs(c2), std::abs(c1), std::abs(c0)}));
    for (Cpx* c : {&c2, &c1, &c0}) {
        *c = Cpx(std::ldexp(c->real(), -exponent), std::ldexp(c->imag(), -exponent));
    }
    if (c2.imag() == 0.0 && c1.imag() == 0.0 && c0.imag() == 0.0) {
        const double a = c2.real();
        const double b = c1.real();
        const double c = c0.real();
        // The discriminant exact to its last bits (Kahan): a pole pair close to z = 1
        // makes b^2 and 4ac agree in all but their last digits, and their rounding
        // would move the roots by far more than the coefficients' own.
        const double bb = b * b;
        const double ac4 = 4.0 * a * c;
        const double d = (bb - ac4) + (std::fma(b, b, -bb) - std::fma(4.0 * a, c, -ac4));
        if (d < 0.0) {
            const Cpx root(-b / (2.0 * a), std::abs(std::sqrt(-d) / (2.0 * a)));
            return {root, std::conj(root)};
        }
        const double q = -(b + std::copysign(std::sqrt(d), b)) / 2.0;
        return {q / a, c / q};
    }
    Cpx s = std::sqrt(c1 * c1 - 4.0 * c2 * c0);
    // The sign that adds to c1 rather than cancelling it.
    if ((std::conj(c1) * s).real() < 0.0) {
        s = -s;
    }
    const Cpx q = -(c1 + s) / 2.0;
    return {q / c2, c0 / q};
}

std::vector<Cpx> RealPolynomialRoots(const std::vector<double>& c) {
    const auto first = std::find_if(c.begin(), c.end(), [](double v) { return v != 0.0; });
    if (first == c.end()) {
        return {};
    }
    const auto last = std::find_if(c.rbegin(), c.rend(), [](double v) { return v != 0.0; }).base();
    std::vector<Cpx> roots(static_cast<std::size_t>(c.end() - last), 0.0);
    const Polynomial p(std::vector<double>(first, last));
    std::vector<Cpx> found;
    if (p.Degree() == 1) {
        found = {-p.Coefficient(1, false) / p.Coefficient(0, false)};
    } else if (p.Degree() == 2) {
        found = QuadraticRoots(p.Coefficient(0, false), p.Coefficient(1, false),
                               p.Coefficient(2, false));
    } else if (p.Degree() > 2) {
        found = AberthRoots(p.StartingPoints(), [&p](Cpx z) { return p.NewtonStep(z); });
        for (Cpx& root : found) {
            root = p.Refined(root);
        }
        MakeConjugate(&found);
    }
    roots.insert(roots.end(), found.begin(), found.end());
    return roots;
}
