#include "installedCopy.h"

#include "registrySandbox.h"

#include <windows.h>

#include <cstring>

namespace {
void clearClockKeys() {
    deleteTree("Software\\Quorvane\\Bellwick");
}

struct clockSearch {
    DWORD notThisProcess;
    HWND found;
};

BOOL CALLBACK matchClock(HWND window, LPARAM data) {
    clockSearch* s = reinterpret_cast<clockSearch*>(data);
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    char title[64] = "";
    GetWindowTextA(window, title, sizeof title);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (strcmp(name, "aWinClass2") != 0 || strcmp(title, "Bellwick") != 0 || owner == s->notThisProcess) return TRUE;
    s->found = window;
    return FALSE;
}
} // namespace

installedCopy::installedCopy() {
    copyTree(installFolder(), folder.path());
    closeEveryClock();
    clearClockKeys();
}

installedCopy::~installedCopy() {
    closeEveryClock();
    clearClockKeys();
}

HWND waitForBoxOf(DWORD processId, DWORD milliseconds) {
    HWND box = nullptr;
    waitUntil([&] { return (box = findProcessWindow(processId, "#32770", true)) != nullptr; }, milliseconds);
    // The box is read once its text is in place.
    if (box != nullptr) waitUntil([&] { return !boxText(box).empty() || !IsWindow(box); }, 2000);
    return box;
}

std::string boxText(HWND box) {
    char text[2048] = "";
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    return text;
}

std::string windowText(HWND window) {
    char text[512] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

void answerBox(HWND box, int answer) { PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(answer), 0); }

HWND findOtherClock(DWORD notThisProcess) {
    clockSearch s = {notThisProcess, nullptr};
    EnumWindows(matchClock, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

void closeEveryClock() {
    for (int round = 0; round < 20; round++) {
        HWND clock = findOtherClock(GetCurrentProcessId());
        if (clock == nullptr) return;
        DWORD id = 0;
        GetWindowThreadProcessId(clock, &id);
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
        if (process == nullptr) return;
        TerminateProcess(process, 98);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
}
