#pragma once

#include "design/requirement/Requirement.h"
#include "ui/analysis/AnalysisGraph.h"

#include <QColor>

#include <vector>

// Where a magnitude response must not go under a requirement, as shaded regions of a
// magnitude graph whose values are |H| divided by a reference level of scaleDb dB:
// each passband below its floor, rippleDb under the passband peak peakDb (both in dB of
// |H| itself), and each stopband above its ceiling, attenuationDb under that peak, out to
// the top. x in Hz at rate; req must pass CheckAtRate(rate). None when peakDb or scaleDb
// is not finite (a pole on the unit circle), where no level is left to draw them at.
std::vector<ShadedRegion> RequirementMask(const Requirement& req, double rate, double peakDb,
                                          double scaleDb);

// The mask's fill: a translucent red that lets the grid and the trace show through.
QColor RequirementMaskColour();
