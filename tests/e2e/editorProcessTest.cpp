// The clock's Settings starts the installed editor; an event added there reaches the clock when the
// editor ends, and fires at its minute.
#include "installedCopy.h"
#include "registrySandbox.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {
const char* const productKey = "Software\\Quorvane\\Bellwick";
const char* const eventsKey = "Software\\Quorvane\\Bellwick\\Events";

HWND findTitled(const char* title, DWORD notThisProcess) {
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, nullptr, title)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != notThisProcess && IsWindowVisible(window)) return window;
    }
    return nullptr;
}
} // namespace

TEST(editorProcessTest, anEventAddedInTheEditorFiresInTheClockAtItsMinute) {
    installedCopy install;
    writeNumber(productKey, "AlwaysOnTop", 1);
    writeNumber(productKey, "TopPos", 100);
    writeNumber(productKey, "LeftPos", 100);
    writeNumber(productKey, "BlinkLength", 15);
    writeText(productKey, "SkinName", "Default");
    writeNumber(eventsKey, "Count", 0);

    runningProgram clock(install.file("Bellwick.exe"), install.path());
    HWND clockWindow = clock.waitForWindow("aWinClass2", 15000);
    ASSERT_NE(nullptr, clockWindow);
    PostMessageA(clockWindow, WM_COMMAND, 196, 0); // Settings

    HWND editor = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (editor = findTitled("Bellwick setup", clock.id())) != nullptr; }, 15000));
    DWORD editorId = 0;
    GetWindowThreadProcessId(editor, &editorId);
    HWND addButton = GetDlgItem(editor, 202);
    ASSERT_NE(nullptr, addButton);
    PostMessageA(editor, WM_COMMAND, MAKEWPARAM(202, BN_CLICKED), reinterpret_cast<LPARAM>(addButton));
    HWND dialog = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (dialog = findTitled("Event property", clock.id())) != nullptr; }, 10000));

    // The next whole minute that leaves time to save: the event must fire within the test.
    SYSTEMTIME now;
    GetLocalTime(&now);
    int minutes = now.wHour * 60 + now.wMinute + (now.wSecond > 45 ? 2 : 1);
    char line[64];
    sprintf(line, "%02d:%02d Stand-up", (minutes / 60) % 24, minutes % 60);
    SendMessageA(GetDlgItem(dialog, 101), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(line));
    PostMessageA(dialog, WM_HOTKEY, 1001, 0); // Enter is Ok
    ASSERT_TRUE(waitUntil([&] { return readValue(eventsKey, "Count").number() == 1; }, 10000));
    EXPECT_EQ(std::string(line), readValue(eventsKey, "Event0").data.c_str());

    PostMessageA(editor, WM_CLOSE, 0, 0);
    HANDLE editorProcess = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, editorId);
    ASSERT_NE(nullptr, editorProcess);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(editorProcess, 10000));
    DWORD code = 99;
    GetExitCodeProcess(editorProcess, &code);
    CloseHandle(editorProcess);
    EXPECT_EQ(0u, code);

    HWND alarm = waitForBoxOf(clock.id(), 130000);
    ASSERT_NE(nullptr, alarm) << "the event fired";
    EXPECT_EQ("Stand-up", boxText(alarm));
    EXPECT_EQ("Alarm Event", windowText(alarm));
    answerBox(alarm);
    PostMessageA(clockWindow, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, clock.waitForExit(10000));
}
