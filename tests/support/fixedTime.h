#pragma once
// The clock's time of day fixed through its time seam, on a day of its own (11 December 2026).
#include "clockTime.h"

inline void fixTimeOfDay(int hour, int minute, int second) {
    struct tm t = {};
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_mday = 11;
    t.tm_mon = 11;
    t.tm_year = 126;
    setLocalNowForTests(&t);
}
