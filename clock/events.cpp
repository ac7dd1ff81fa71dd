// The alarm events: read from the registry, fired at second 0 of their minute.
#include "aMainWindow.h"

#include "../resources/resource.h"
#include "../toolkit/aStringList.h"
#include "../toolkit/loadText.h"
#include "clockTime.h"
#include "commands.h"
#include "eventFormat.h"
#include "registryKey.h"

#include <cstdio>

namespace {
const DWORD eventValueSize = 1024;
} // namespace

void aMainWindow::loadEvents() {
    registryKey events = registryKey::open(HKEY_CURRENT_USER, eventsKeyPath);
    DWORD count = 0;
    if (!events.readNumber("Count", &count)) count = 0;
    // The arrays hold 1024 events; those beyond are not loaded.
    eventCount = count > maxEvents ? maxEvents : count;
    eventTexts->clear();

    char value[eventValueSize];
    for (unsigned int i = 0; i < eventCount; i++) {
        char name[32];
        sprintf(name, "Event%u", i);
        int hour = neverFires;
        int minute = neverFires;
        const char* text = "";
        // A value that is missing, too long or not "%d:%d" keeps its index but never fires.
        if (events.readText(name, value, eventValueSize)) {
            if (!parseEventTime(value, &hour, &minute)) hour = minute = neverFires;
            text = eventTextOf(value);
        }
        eventHours[i] = hour;
        eventMinutes[i] = minute;
        eventTexts->add(text);
    }
}

void aMainWindow::checkAlarms() {
    struct tm now = localNow();
    if (now.tm_sec != 0) return;
    if (alarmActive) return;

    bool shownThisCall = false;
    // eventCount is read on every turn: the list may have been read anew while a box was open.
    for (unsigned int i = 0; i < eventCount; i++) {
        if (now.tm_min != eventMinutes[i] || now.tm_hour != eventHours[i]) continue;
        alarmActive = 1;
        if (hidden && !shownThisCall) {
            PostMessageA(hwnd, WM_COMMAND, cmdHideShow, 0);
            shownThisCall = true;
        }
        PostMessageA(hwnd, WM_COMMAND, cmdAlarm, 0);

        // Copies: a reload while the box is open replaces the list's strings.
        const char* text = eventTexts->get(static_cast<int>(i));
        char message[eventValueSize];
        char command[eventValueSize];
        splitEventText(text != nullptr ? text : "", message, sizeof message, command, sizeof command);
        if (command[0] != '\0') WinExec(command, SW_SHOWDEFAULT);
        if (message[0] != '\0') MessageBoxA(nullptr, message, loadText(textAlarmCaption), MB_OK);
    }
}
