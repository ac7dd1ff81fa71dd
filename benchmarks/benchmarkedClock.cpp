#include "benchmarkedClock.h"

#include "clockTime.h"
#include "registryKey.h"
#include "registrySandbox.h"

#include <cstdio>

void pumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void storeSettings() {
    writeNumber(productKeyPath, "AlwaysOnTop", 1);
    writeNumber(productKeyPath, "TopPos", 300);
    writeNumber(productKeyPath, "LeftPos", 300);
    writeNumber(productKeyPath, "BlinkLength", 15);
    writeText(productKeyPath, "SkinName", "Default");
    writeNumber(eventsKeyPath, "Count", 0);
}

void storeEvents(int count, int firstMinuteOfDay) {
    for (int i = 0; i < count; i++) {
        const int minuteOfDay = (firstMinuteOfDay + i) % 1440;
        char name[32];
        char value[96];
        snprintf(name, sizeof name, "Event%d", i);
        snprintf(value, sizeof value, "%02d:%02d Stand up and stretch, event %d/notepad.exe",
                 minuteOfDay / 60, minuteOfDay % 60, i);
        writeText(eventsKeyPath, name, value);
    }
    writeNumber(eventsKeyPath, "Count", static_cast<DWORD>(count));
}

int minuteOfDayNow() {
    setLocalNowForTests(nullptr);
    struct tm now = localNow();
    return now.tm_hour * 60 + now.tm_min;
}
