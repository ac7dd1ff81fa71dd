#pragma once
// A throw-away copy of the installation folder, and the clock's keys of the real HKEY_CURRENT_USER (the
// one a started program sees) cleared before and after, for tests that run the installed programs.
#include "processRunner.h"
#include "scratchFolder.h"

#include <string>

class installedCopy {
public:
    installedCopy();
    ~installedCopy();
    const std::string& path() const { return folder.path(); }
    std::string file(const std::string& relative) const { return folder.file(relative); }

private:
    scratchFolder folder{false};
};

// The message box a program of another process shows, found by its class; null when none came in time.
HWND waitForBoxOf(DWORD processId, DWORD milliseconds);
std::string boxText(HWND box);
std::string windowText(HWND window);
void answerBox(HWND box, int answer = IDOK);
// Every process of the clock still running (by its window class in the real desktop), closed.
void closeEveryClock();
// Clock windows of processes other than the given one.
HWND findOtherClock(DWORD notThisProcess);
