#include "plot/PhaseSegments.h"

#include <cmath>

namespace {

constexpr double kPi = 3.141592653589793;

// Which turn of the circle a phase lies in: 0 for (-pi, pi], 1 for (pi, 3 pi], ...
double Turn(double phase) {
    return std::ceil((phase - kPi) / (2 * kPi));
}

} // namespace

std::vector<std::vector<PlotPoint>> PhaseSegments(const std::vector<double>& x,
                                                  const std::vector<double>& phase, bool wrapped) {
    std::vector<std::vector<PlotPoint>> segments(1);
    const auto close = [&segments] {
        if (!segments.back().empty()) {
            segments.emplace_back();
        }
    };
    for (size_t k = 0; k < x.size() && k < phase.size(); ++k) {
        if (std::isnan(phase[k])) {
            close();
            continue;
        }
        if (!wrapped) {
            segments.back().emplace_back(x[k], phase[k]);
            continue;
        }
        const double turn = Turn(phase[k]);
        if (k > 0 && !std::isnan(phase[k - 1]) && Turn(phase[k - 1]) != turn) {
            // Where the phase passes the edge between the two samples, both pieces end.
            const double before = phase[k - 1];
            const bool rising = phase[k] > before;
            const double edge = (rising ? Turn(before) * 2 + 1 : Turn(before) * 2 - 1) * kPi;
            const double t = (edge - before) / (phase[k] - before);
            const double xEdge = x[k - 1] + t * (x[k] - x[k - 1]);
            segments.back().emplace_back(xEdge, rising ? kPi : -kPi);
            close();
            segments.back().emplace_back(xEdge, rising ? -kPi : kPi);
        }
        segments.back().emplace_back(x[k], phase[k] - 2 * kPi * turn);
    }
    if (segments.back().empty()) {
        segments.pop_back();
    }
    return segments;
}
