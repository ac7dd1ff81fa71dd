// The registry layout: the first run's defaults, the greeting, and the settings saved when the clock goes.
#include "clockFixture.h"

#include "aPopupMenu.h"

#include <cstring>
#include <shellapi.h>
#include <string>

namespace {
bool isTopmost(HWND window) { return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
std::string text(const char* s) { return std::string(s, strlen(s) + 1); }
std::string number(DWORD value) { return std::string(reinterpret_cast<const char*>(&value), 4); }
} // namespace

using settingsStoreTest = clockTest;

TEST_F(settingsStoreTest, firstRunCreatesTheThreeKeysAndSevenValuesWithTheirTypesAndSizes) {
    startClock();
    EXPECT_TRUE(keyExists(makerKeyPath));
    const struct {
        const char* key;
        const char* name;
        DWORD type;
        std::string bytes;
    } table[] = {
        {eventsKeyPath, "Count", REG_DWORD, number(1)},
        {productKeyPath, "AlwaysOnTop", REG_DWORD, number(1)},
        {productKeyPath, "SkinName", REG_SZ, text("Default")},
        {productKeyPath, "TopPos", REG_DWORD, number(0)},
        {productKeyPath, "LeftPos", REG_DWORD, number(64)},
        {productKeyPath, "BlinkLength", REG_DWORD, number(15)},
        {eventsKeyPath, "Event0", REG_SZ, text("12:00 Test")},
    };
    for (const auto& row : table) {
        storedValue value = readValue(row.key, row.name);
        EXPECT_TRUE(value.exists) << row.name;
        EXPECT_EQ(row.type, value.type) << row.name;
        EXPECT_EQ(row.bytes, value.data) << row.name;
    }
    EXPECT_EQ(8u, readValue(productKeyPath, "SkinName").data.size());
    EXPECT_EQ(11u, readValue(eventsKeyPath, "Event0").data.size());
}

TEST_F(settingsStoreTest, firstRunGreetsWithACopiedCaptionThenShowsTheClockTopmostAtTheDefaultPlace) {
    startClock();
    ASSERT_EQ(1u, boxes.boxes().size());
    const recordedBox& greeting = boxes.boxes()[0];
    EXPECT_EQ("Program is running for first time.", greeting.text);
    EXPECT_EQ("Bellwick", greeting.caption);
    EXPECT_EQ(static_cast<UINT>(MB_ICONINFORMATION), greeting.icon);
    EXPECT_EQ(static_cast<UINT>(MB_OK), greeting.buttons);
    EXPECT_EQ(clock->handle(), greeting.owner);

    RECT r;
    GetWindowRect(clock->handle(), &r);
    EXPECT_EQ(64, r.left);
    EXPECT_EQ(0, r.top);
    EXPECT_TRUE(isTopmost(clock->handle()));
    EXPECT_TRUE(clock->alwaysOnTop);
    EXPECT_EQ(15, clock->blinkLength);
    EXPECT_STREQ("Default", clock->skinName);
    EXPECT_EQ(1u, clock->eventCount);
}

TEST_F(settingsStoreTest, aTickWhileTheGreetingIsOpenFindsDefinedEmptyFields) {
    // The greeting's own loop dispatches the clock's timer and paints before the construction has ended.
    at(12, 0, 0);
    int ticksSeen = 0;
    boxes.whileOpen = [&](const recordedBox&) {
        HWND clockWindow = FindWindowA("aWinClass1", "Bellwick");
        SendMessageA(clockWindow, WM_TIMER, 1, 0);
        SendMessageA(clockWindow, WM_PAINT, 0, 0);
        SendMessageA(clockWindow, aMainWindow::trayMessage, 0, WM_RBUTTONUP);
        ticksSeen++;
    };
    startClock();
    EXPECT_EQ(1, ticksSeen);
    EXPECT_EQ(1u, boxes.boxes().size()) << "no alarm fired from the empty event list";
}

TEST_F(settingsStoreTest, aSecondStartNeitherGreetsNorResetsTheStoredSettings) {
    storeSettings({0, 120, 300, 7, "Gold"});
    startClock();
    EXPECT_TRUE(boxes.boxes().empty());
    RECT r;
    GetWindowRect(clock->handle(), &r);
    EXPECT_EQ(300, r.left);
    EXPECT_EQ(120, r.top);
    EXPECT_EQ(7, clock->blinkLength);
    EXPECT_FALSE(clock->alwaysOnTop);
    EXPECT_EQ(0u, readValue(productKeyPath, "AlwaysOnTop").number());
    EXPECT_STREQ("Gold", clock->skinName);
}

TEST_F(settingsStoreTest, deletingTheEventsKeyMakesTheNextStartAFirstRunAgain) {
    storeSettings({0, 120, 300, 7, "Gold"});
    deleteTree(eventsKeyPath);
    startClock();
    EXPECT_EQ(1u, boxes.boxes().size());
    EXPECT_EQ(64u, readValue(productKeyPath, "LeftPos").number());
    EXPECT_EQ(text("Default"), readValue(productKeyPath, "SkinName").data);
    EXPECT_EQ(text("12:00 Test"), readValue(eventsKeyPath, "Event0").data);
}

TEST_F(settingsStoreTest, theEndSavesTheWindowsCurrentPlaceNotTheOneItWasStartedAt) {
    storeSettings({1, 100, 200, 9, "Default"});
    startClock();
    SetWindowPos(clock->handle(), nullptr, -30, 77, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    command(197); // Always on top, off
    stopClock();
    EXPECT_EQ(0xFFFFFFE2u, readValue(productKeyPath, "LeftPos").number());
    EXPECT_EQ(77u, readValue(productKeyPath, "TopPos").number());
    EXPECT_EQ(9u, readValue(productKeyPath, "BlinkLength").number());
    EXPECT_EQ(0u, readValue(productKeyPath, "AlwaysOnTop").number());
    EXPECT_EQ(REG_DWORD, readValue(productKeyPath, "LeftPos").type);
}

TEST_F(settingsStoreTest, aNegativeLeftEdgeComesBackAtTheNextStart) {
    storeSettings({1, 40, static_cast<DWORD>(-30), 15, "Default"});
    startClock();
    RECT r;
    GetWindowRect(clock->handle(), &r);
    EXPECT_EQ(-30, r.left);
    EXPECT_EQ(40, r.top);
}

TEST_F(settingsStoreTest, anyNonZeroAlwaysOnTopIsRewrittenAsOneAtTheEnd) {
    storeSettings({5, 0, 64, 15, "Default"});
    startClock();
    EXPECT_TRUE(isTopmost(clock->handle()));
    stopClock();
    EXPECT_EQ(1u, readValue(productKeyPath, "AlwaysOnTop").number());
}

TEST_F(settingsStoreTest, theEndNeverWritesTheSkinName) {
    storeSettings();
    startClock();
    writeText(productKeyPath, "SkinName", "Original");
    stopClock();
    EXPECT_EQ(text("Original"), readValue(productKeyPath, "SkinName").data);
}

TEST_F(settingsStoreTest, aProductKeyRemovedWhileTheClockRunsIsNotCreatedAgain) {
    storeSettings();
    startClock();
    deleteTree(productKeyPath);
    stopClock();
    EXPECT_FALSE(keyExists(productKeyPath));
    EXPECT_TRUE(keyExists(makerKeyPath));
}

TEST_F(settingsStoreTest, aHiddenClockSavesTheHiddenWindowsPlace) {
    storeSettings({1, 33, 222, 15, "Default"});
    startClock();
    command(180);
    ASSERT_FALSE(IsWindowVisible(clock->handle()));
    stopClock();
    EXPECT_EQ(222u, readValue(productKeyPath, "LeftPos").number());
    EXPECT_EQ(33u, readValue(productKeyPath, "TopPos").number());
}

TEST_F(settingsStoreTest, theEndRemovesTheTrayIconAndReleasesTheMenus) {
    storeSettings();
    startClock();
    HMENU menu = clock->mainMenu->getHandle();
    HMENU skins = clock->skinMenu->getHandle();
    NOTIFYICONDATAA probe = {};
    probe.cbSize = 88;
    probe.hWnd = clock->handle();
    probe.uID = 0;
    probe.uFlags = NIF_TIP;
    strcpy(probe.szTip, "probe");
    EXPECT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &probe)) << "the icon is there while the clock runs";
    stopClock();
    EXPECT_FALSE(IsMenu(menu));
    EXPECT_FALSE(IsMenu(skins));
    EXPECT_FALSE(Shell_NotifyIconA(NIM_MODIFY, &probe)) << "and gone afterwards";
}

TEST_F(settingsStoreTest, theEndOfTheSessionSavesTheSettingsAsTheOrderlyEndDoes) {
    storeSettings({1, 100, 200, 9, "Default"});
    startClock();
    SetWindowPos(clock->handle(), nullptr, 250, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    command(197);
    EXPECT_NE(0, SendMessageA(clock->handle(), WM_QUERYENDSESSION, 0, 0)) << "the clock lets the session end";
    SendMessageA(clock->handle(), WM_ENDSESSION, FALSE, 0);
    EXPECT_EQ(200u, readValue(productKeyPath, "LeftPos").number()) << "a session end that was cancelled saves nothing";
    SendMessageA(clock->handle(), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(250u, readValue(productKeyPath, "LeftPos").number());
    EXPECT_EQ(60u, readValue(productKeyPath, "TopPos").number());
    EXPECT_EQ(0u, readValue(productKeyPath, "AlwaysOnTop").number());
    EXPECT_EQ(9u, readValue(productKeyPath, "BlinkLength").number());
    EXPECT_EQ(std::string("Default", 8), readValue(productKeyPath, "SkinName").data);
}
