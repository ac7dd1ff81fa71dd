#include "sampling.h"

#include <algorithm>

double microsecondsNow() {
    static LARGE_INTEGER frequency = {};
    if (frequency.QuadPart == 0) QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart);
}

namespace {
// The value below which the fraction p of the sorted samples lies (nearest rank).
double percentile(const std::vector<double>& sorted, double p) {
    size_t rank = static_cast<size_t>(p * static_cast<double>(sorted.size() - 1) + 0.5);
    return sorted[rank];
}
} // namespace

summary summarize(std::vector<double> samples) {
    summary s;
    if (samples.empty()) return s;
    std::sort(samples.begin(), samples.end());
    s.median = percentile(samples, 0.5);
    s.low = percentile(samples, 0.1);
    s.high = percentile(samples, 0.9);
    s.count = samples.size();
    return s;
}
