#pragma once
#include <ctime>

// The local time as the face and the alarm check see it: the runtime's time() broken down by localtime().
struct tm localNow();

// Tests fix the time of day here; a null pointer returns to the system clock.
void setLocalNowForTests(const struct tm* fixed);
