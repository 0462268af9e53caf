// Derivative-free minimiser (Nelder-Mead simplex) for the small filter fits.
#pragma once

#include <functional>
#include <vector>

namespace cltd {

// Minimises f from start with initial step sizes; returns the best point found.
std::vector<double> nelderMead(const std::function<double(const std::vector<double>&)>& f, std::vector<double> start,
                               const std::vector<double>& step, int maxEvaluations);

}  // namespace cltd
