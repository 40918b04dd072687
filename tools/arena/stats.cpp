#include <algorithm>
#include <cmath>

#include "tools/arena/arena.h"

namespace arena {

void WilsonInterval(int64_t wins, int64_t n, double* low, double* high) {
    if (n <= 0) {
        *low = 0;
        *high = 1;
        return;
    }
    constexpr double z = 1.959964;
    const double p = static_cast<double>(wins) / static_cast<double>(n);
    const double nn = static_cast<double>(n);
    const double centre = (p + z * z / (2 * nn)) / (1 + z * z / nn);
    const double half = z * std::sqrt(p * (1 - p) / nn + z * z / (4 * nn * nn)) / (1 + z * z / nn);
    *low = std::max(0.0, centre - half);
    *high = std::min(1.0, centre + half);
}

double Quantile(std::vector<double> values, double q) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const double rank = std::ceil(q * static_cast<double>(values.size()));
    const size_t at = static_cast<size_t>(std::max(1.0, rank)) - 1;
    return values[std::min(at, values.size() - 1)];
}

}  // namespace arena
