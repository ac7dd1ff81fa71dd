#include "report.h"

#include <cstdio>

namespace {
// Microseconds as the unit that reads best: us below 10 ms, ms above.
void format(char* out, size_t size, double microseconds) {
    if (microseconds < 10000)
        snprintf(out, size, "%.1f us", microseconds);
    else
        snprintf(out, size, "%.1f ms", microseconds / 1000);
}
} // namespace

void printTableHead() {
    printf("| Measure | Median | 10th-90th percentile | Floor median | Ratio to floor | Target "
           "| Samples |\n");
    printf("|---|---:|---:|---:|---:|---|---:|\n");
}

void printRow(const char* what, const summary& measured, const summary& floor, const char* target) {
    char median[32], low[32], high[32], floorMedian[32];
    format(median, sizeof median, measured.median);
    format(low, sizeof low, measured.low);
    format(high, sizeof high, measured.high);
    format(floorMedian, sizeof floorMedian, floor.median);
    const double ratio = floor.median > 0 ? measured.median / floor.median : 0;
    printf("| %s | %s | %s - %s | %s | %.2f | %s | %u |\n", what, median, low, high, floorMedian, ratio,
           target, static_cast<unsigned>(measured.count));
    fflush(stdout);
}
