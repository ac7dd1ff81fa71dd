#pragma once
#include "benchmarkedClock.h"
#include "sampling.h"

struct pairedFigures {
    summary measured;
    summary floor;
};

// The clock's time during a run of ticks: the system's, or second 0 of minutes fixed through the clock's
// time seam (the alarm check then compares every event), starting at a minute of the day.
struct tickTime {
    bool atSecondZero;
    int firstMinuteOfDay;
};

// Ticks of the clock and of the floor window in turn, each one a posted WM_TIMER and the messages it
// leads to (the posted paint), all through the windows' own procedures.
pairedFigures measureTicks(benchmarkedClock& clock, HWND floor, const benchmarkPlan& plan, tickTime time);

// Ticks of the clock on the system's time that keep no samples (nothing of the benchmark's own grows).
void runTicks(benchmarkedClock& clock, int count);

// What the process holds, to show that ticks leave nothing behind.
struct heldResources {
    int gdiObjects;
    size_t heapBytes;
};
heldResources heldNow();
