#include "processRunner.h"

#include <cstring>
#include <vector>

runningProgram::runningProgram(const std::string& program, const std::string& folder, const std::string& arguments) {
    memset(&info, 0, sizeof info);
    STARTUPINFOA startup;
    memset(&startup, 0, sizeof startup);
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    if (!CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &info))
        memset(&info, 0, sizeof info);
}

runningProgram::~runningProgram() {
    if (!started()) return;
    kill();
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
}

DWORD runningProgram::waitForExit(DWORD milliseconds) {
    if (!started()) return STILL_ACTIVE;
    WaitForSingleObject(info.hProcess, milliseconds);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info.hProcess, &code);
    return code;
}

HWND runningProgram::waitForWindow(const char* classPrefix, DWORD milliseconds) {
    HWND found = nullptr;
    waitUntil([&] { return (found = findProcessWindow(info.dwProcessId, classPrefix, true)) != nullptr; },
              milliseconds);
    return found;
}

void runningProgram::kill() {
    if (started() && waitForExit(0) == STILL_ACTIVE) {
        TerminateProcess(info.hProcess, 99);
        WaitForSingleObject(info.hProcess, 5000);
    }
}

namespace {
struct windowSearch {
    DWORD processId;
    const char* prefix;
    bool visibleOnly;
    HWND found;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM data) {
    windowSearch* s = reinterpret_cast<windowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != s->processId) return TRUE;
    if (s->visibleOnly && !IsWindowVisible(window)) return TRUE;
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    if (strncmp(name, s->prefix, strlen(s->prefix)) != 0) return TRUE;
    s->found = window;
    return FALSE;
}
} // namespace

HWND findProcessWindow(DWORD processId, const char* classPrefix, bool visibleOnly) {
    windowSearch s = {processId, classPrefix, visibleOnly, nullptr};
    EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&s));
    return s.found;
}
