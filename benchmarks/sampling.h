#pragma once
// Timing with the performance counter, and the summary a benchmark reports: the median and the spread
// between the 10th and the 90th percentile, all in microseconds.
#include <windows.h>

#include <vector>

double microsecondsNow();

struct summary {
    double median = 0;
    double low = 0;  // 10th percentile
    double high = 0; // 90th percentile
    size_t count = 0;
};

summary summarize(std::vector<double> samples);

// Measures action() once: its duration in microseconds.
template <typename Action> double timeOnce(Action action) {
    const double start = microsecondsNow();
    action();
    return microsecondsNow() - start;
}
