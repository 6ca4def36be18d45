#pragma once

#include "design/iir/FStandardDesign.h"
#include "design/requirement/Requirement.h"

#include <optional>

// The order-finding rules of the Butterworth, Chebyshev, Chebyshev II and elliptic
// families; Bessel has none (its selectivity is not its aim).
bool HasMinimumOrder(FStandardDesign::Family family);

// The lowest-order design of the family that meets req at rate, as scipy.signal's
// buttord, cheb1ord, cheb2ord and ellipord choose it: the order for the tighter of two
// stopband edges; Butterworth and Chebyshev II corners placed so that the loss at the
// passband edge is exactly the ripple, Chebyshev and elliptic corners on the passband
// edges. A band-stop's passband edges first move towards its stopband, each to where the
// order is least, by the bounded search scipy uses (to 1e-5 on the prewarped scale), so
// they land where scipy's do. The order may be above FStandardDesign::kMaxOrder (capped
// at kOrderCap), which Design() then refuses: it tells what the requirement would need.
// nullopt for a family without a rule or a requirement that fails CheckAtRate(rate).
// Takes microseconds: the panel's table of all four families follows every keystroke.
std::optional<FStandardDesign> MinimumOrderDesign(FStandardDesign::Family family,
                                                  const Requirement& req, double rate);

inline constexpr int kOrderCap = 1000000;
