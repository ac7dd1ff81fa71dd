#pragma once
#include <windows.h>

#include <string>

// A program started by a test; ended by the destructor if it is still running, so that no test leaves
// a child behind.
class runningProgram {
public:
    runningProgram(const std::string& program, const std::string& folder, const std::string& arguments = "");
    runningProgram(const runningProgram&) = delete;
    runningProgram& operator=(const runningProgram&) = delete;
    ~runningProgram();

    bool started() const { return info.hProcess != nullptr; }
    DWORD id() const { return info.dwProcessId; }
    // The exit code, or STILL_ACTIVE when the program has not ended within the time.
    DWORD waitForExit(DWORD milliseconds);
    // The first visible top-level window of the program whose class starts with classPrefix.
    HWND waitForWindow(const char* classPrefix, DWORD milliseconds);
    void kill();

private:
    PROCESS_INFORMATION info;
};

// Top-level windows of another process, found by class prefix.
HWND findProcessWindow(DWORD processId, const char* classPrefix, bool visibleOnly);
// Waits until pred() holds, pumping this thread's messages; false when the time ran out.
template <typename Predicate> bool waitUntil(Predicate pred, DWORD milliseconds) {
    DWORD start = GetTickCount();
    while (!pred()) {
        if (GetTickCount() - start > milliseconds) return false;
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(10);
    }
    return true;
}
