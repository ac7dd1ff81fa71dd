#pragma once
// What the benchmarks share: the clock window with its handle open, the message pump of a tick, the time
// of day fixed through the clock's time seam, and the events stored in HKEY_CURRENT_USER.
#include "aMainWindow.h"

class benchmarkedClock : public aMainWindow {
public:
    using aMainWindow::aMainWindow;
    HWND handle() const { return hwnd; }
};

// How many samples each measure takes; the quick run only proves that the benchmark works.
struct benchmarkPlan {
    int ticks = 4000;     // ticks of the clock, each followed by one of the floor
    int loadRounds = 200; // alternating loads of the clock and of its floor
    int startRounds = 20; // alternating starts of Bellwick.exe and of the floor program
};

// Handles every message of the thread that is waiting now: the posted paint of a tick, above all.
void pumpMessages();
// Settings of an earlier run (so no first-run greeting) at (300, 300) with the Default skin, no events.
void storeSettings();
// Count events, one a minute from firstMinuteOfDay on (wrapping at midnight).
void storeEvents(int count, int firstMinuteOfDay);
// The system's local time as a minute of the day (0 to 1439).
int minuteOfDayNow();
