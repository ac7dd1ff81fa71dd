#include "tickBenchmark.h"

#include "clockTime.h"
#include "fixedTime.h"
#include "gdiObjects.h"

#include <malloc.h>

namespace {
// Second 0 of eight minutes in turn: the hands move, and no event of the benchmark is due in them.
void setTime(tickTime time, int step) {
    if (!time.atSecondZero) {
        setLocalNowForTests(nullptr);
        return;
    }
    const int minuteOfDay = (time.firstMinuteOfDay + step % 8) % 1440;
    fixTimeOfDay(minuteOfDay / 60, minuteOfDay % 60, 0);
}

double clockTick(benchmarkedClock& clock) {
    return timeOnce([&] {
        PostMessageA(clock.handle(), WM_TIMER, aMainWindow::tickTimer, 0);
        pumpMessages();
    });
}

double floorTick(HWND floor) {
    return timeOnce([&] {
        PostMessageA(floor, WM_TIMER, 1, 0);
        pumpMessages();
    });
}
} // namespace

pairedFigures measureTicks(benchmarkedClock& clock, HWND floor, const benchmarkPlan& plan, tickTime time) {
    // A warm-up: the first ticks fill caches of the system's that later ticks reuse.
    for (int i = 0; i < plan.ticks / 20; i++) {
        setTime(time, i);
        clockTick(clock);
        floorTick(floor);
    }
    std::vector<double> measured;
    std::vector<double> floorSamples;
    measured.reserve(plan.ticks);
    floorSamples.reserve(plan.ticks);
    // One tick of each in turn, so that whatever else the machine does falls on both alike.
    for (int i = 0; i < plan.ticks; i++) {
        setTime(time, i);
        measured.push_back(clockTick(clock));
        floorSamples.push_back(floorTick(floor));
    }
    setLocalNowForTests(nullptr);
    return {summarize(measured), summarize(floorSamples)};
}

void runTicks(benchmarkedClock& clock, int count) {
    setLocalNowForTests(nullptr);
    for (int i = 0; i < count; i++) clockTick(clock);
}

heldResources heldNow() {
    _HEAPINFO entry = {};
    size_t used = 0;
    while (_heapwalk(&entry) == _HEAPOK)
        if (entry._useflag == _USEDENTRY) used += entry._size;
    return {gdiObjectCount(), used};
}
