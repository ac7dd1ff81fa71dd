#pragma once
// A clock window under test: its own registry (sandboxed HKEY_CURRENT_USER), its own folder with the
// installed skins as its current directory, every message box answered and recorded, the time frozen.
#include "aMainWindow.h"
#include "clockTime.h"
#include "fixedTime.h"
#include "messageBoxWatcher.h"
#include "registryKey.h"
#include "registrySandbox.h"
#include "scratchFolder.h"

#include <gtest/gtest.h>

#include <memory>

// The clock with its fields open to the tests.
class testClock : public aMainWindow {
public:
    using aMainWindow::aMainWindow;
    using aMainWindow::alarmActive;
    using aMainWindow::alwaysOnTop;
    using aMainWindow::blinkImage;
    using aMainWindow::blinkLength;
    using aMainWindow::blinkTicks;
    using aMainWindow::dragX;
    using aMainWindow::dragY;
    using aMainWindow::editorProcess;
    using aMainWindow::eventCount;
    using aMainWindow::eventHours;
    using aMainWindow::eventMinutes;
    using aMainWindow::eventTexts;
    using aMainWindow::hidden;
    using aMainWindow::leftPos;
    using aMainWindow::mainImage;
    using aMainWindow::mainMenu;
    using aMainWindow::skinItemEnd;
    using aMainWindow::skinMenu;
    using aMainWindow::skinName;
    using aMainWindow::topPos;
    using aMainWindow::trayIconShown;
    HWND handle() const { return hwnd; }
};

struct storedSettings {
    DWORD alwaysOnTop = 1;
    DWORD topPos = 100;
    DWORD leftPos = 200;
    DWORD blinkLength = 15;
    const char* skinName = "Default";
};

class clockTest : public ::testing::Test {
protected:
    void SetUp() override { copyInstalledSkins(folder.path()); }
    void TearDown() override {
        clock.reset();
        setLocalNowForTests(nullptr);
    }

    // Settings and events as a previous run left them, so that the start is not a first run.
    void storeSettings(const storedSettings& settings = storedSettings()) {
        writeNumber(productKeyPath, "AlwaysOnTop", settings.alwaysOnTop);
        writeNumber(productKeyPath, "TopPos", settings.topPos);
        writeNumber(productKeyPath, "LeftPos", settings.leftPos);
        writeNumber(productKeyPath, "BlinkLength", settings.blinkLength);
        writeText(productKeyPath, "SkinName", settings.skinName);
        writeNumber(eventsKeyPath, "Count", 0);
    }
    // Events0.. as given, and Count their number.
    void storeEvents(std::initializer_list<const char*> events) {
        int i = 0;
        for (const char* event : events) writeText(eventsKeyPath, ("Event" + std::to_string(i++)).c_str(), event);
        writeNumber(eventsKeyPath, "Count", static_cast<DWORD>(i));
    }
    // The tests send the ticks themselves, one at a time: the clock's own timer would add ticks of its
    // own while a box is open.
    void startClock() {
        clock.reset(new testClock(GetModuleHandleA(nullptr), "Bellwick"));
        KillTimer(clock->handle(), aMainWindow::tickTimer);
    }
    void stopClock() { clock.reset(); }
    void at(int hour, int minute, int second) { fixTimeOfDay(hour, minute, second); }
    // Handles every message of the thread that is waiting now (posted commands, paints).
    void pump() {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    void send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        SendMessageA(clock->handle(), message, wParam, lParam);
    }
    void command(int id) { send(WM_COMMAND, static_cast<WPARAM>(id), 0); }
    void tick() { send(WM_TIMER, aMainWindow::tickTimer, 0); }

    registrySandbox registry;
    scratchFolder folder;
    messageBoxWatcher boxes;
    std::unique_ptr<testClock> clock;
};
