#include "stats.h"

#include <algorithm>

namespace {

// The value at fraction q of the sorted values, interpolating between neighbours.
double quantile(const std::vector<double>& sorted, double q) {
  const double at = q * static_cast<double>(sorted.size() - 1);
  const auto below = static_cast<std::size_t>(at);
  const std::size_t above = std::min(below + 1, sorted.size() - 1);
  const double part = at - static_cast<double>(below);
  return sorted[below] + part * (sorted[above] - sorted[below]);
}

}  // namespace

Summary summarize(std::vector<double> values) {
  if (values.empty()) return {};
  std::sort(values.begin(), values.end());
  return {quantile(values, 0.5), quantile(values, 0.25), quantile(values, 0.75)};
}
