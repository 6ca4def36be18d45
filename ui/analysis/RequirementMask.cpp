#include "ui/analysis/RequirementMask.h"

#include <cmath>

std::vector<ShadedRegion> RequirementMask(const Requirement& req, double rate, double peakDb,
                                          double scaleDb) {
    std::vector<ShadedRegion> regions;
    if (!std::isfinite(peakDb) || !std::isfinite(scaleDb)) {
        return regions;
    }
    for (const Requirement::Region& r : req.Regions(rate)) {
        const double level = std::pow(10.0, (peakDb - r.limitDb - scaleDb) / 20.0);
        regions.push_back(r.stopband ? ShadedRegion{r.fromHz, r.toHz, level, HUGE_VAL}
                                     : ShadedRegion{r.fromHz, r.toHz, 0.0, level});
    }
    return regions;
}

QColor RequirementMaskColour() {
    return QColor(230, 0, 0, 56);
}
