// The installed clock run as a process, as a user starts it: its first run, its window, its end, and the
// skin recovery that restarts it.
#include "installedCopy.h"
#include "registrySandbox.h"

#include <gtest/gtest.h>

#include <string>

namespace {
const char* const productKey = "Software\\Quorvane\\Bellwick";
const char* const eventsKey = "Software\\Quorvane\\Bellwick\\Events";

void storePlainStart(const char* skinName) {
    writeNumber(productKey, "AlwaysOnTop", 1);
    writeNumber(productKey, "TopPos", 123);
    writeNumber(productKey, "LeftPos", 321);
    writeNumber(productKey, "BlinkLength", 15);
    writeText(productKey, "SkinName", skinName);
    writeNumber(eventsKey, "Count", 0);
}

std::string storedText(const char* name) {
    storedValue value = readValue(productKey, name);
    return value.exists ? std::string(value.data.c_str()) : "(missing)";
}
} // namespace

class clockProcessTest : public ::testing::Test {
protected:
    installedCopy install;
    std::string program() const { return install.file("Bellwick.exe"); }
};

TEST_F(clockProcessTest, firstRunGreetsThenShowsARound65PixelClockThatEndsWithCodeZeroOnClose) {
    runningProgram clock(program(), install.path());
    ASSERT_TRUE(clock.started());
    HWND greeting = waitForBoxOf(clock.id(), 15000);
    ASSERT_NE(nullptr, greeting);
    EXPECT_EQ("Program is running for first time.", boxText(greeting));
    EXPECT_EQ("Bellwick", windowText(greeting));
    answerBox(greeting);

    HWND window = clock.waitForWindow("aWinClass2", 10000);
    ASSERT_NE(nullptr, window);
    RECT r;
    GetWindowRect(window, &r);
    EXPECT_EQ(64, r.left);
    EXPECT_EQ(0, r.top);
    EXPECT_EQ(65, r.right - r.left);
    EXPECT_EQ(65, r.bottom - r.top);
    EXPECT_NE(0, GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);

    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, GetWindowRgn(window, region));
    EXPECT_TRUE(PtInRegion(region, 32, 32));
    EXPECT_TRUE(PtInRegion(region, 3, 32));
    for (POINT corner : {POINT{0, 0}, POINT{1, 1}, POINT{64, 0}, POINT{0, 64}, POINT{63, 63}, POINT{8, 8}})
        EXPECT_FALSE(PtInRegion(region, corner.x, corner.y)) << corner.x << "," << corner.y;
    DeleteObject(region);
    // The screen belongs to the clock inside the circle only.
    EXPECT_EQ(window, WindowFromPoint(POINT{64 + 32, 32}));
    EXPECT_NE(window, WindowFromPoint(POINT{64 + 1, 64}));

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, clock.waitForExit(2000));
}

TEST_F(clockProcessTest, theQuitCommandEndsWithCodeZeroAndSavesTheWindowsPlace) {
    storePlainStart("Default");
    runningProgram clock(program(), install.path());
    HWND window = clock.waitForWindow("aWinClass2", 15000);
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(nullptr, findProcessWindow(clock.id(), "#32770", true)) << "no greeting on a later start";
    RECT r;
    GetWindowRect(window, &r);
    EXPECT_EQ(321, r.left);
    EXPECT_EQ(123, r.top);
    SetWindowPos(window, nullptr, 400, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PostMessageA(window, WM_COMMAND, 200, 0);
    EXPECT_EQ(0u, clock.waitForExit(5000));
    EXPECT_EQ(400u, readValue(productKey, "LeftPos").number());
    EXPECT_EQ(300u, readValue(productKey, "TopPos").number());
}

TEST_F(clockProcessTest, aKilledClockLeavesTheSettingsOfItsLastOrderlyEndWhole) {
    storePlainStart("Gold");
    runningProgram clock(program(), install.path());
    HWND window = clock.waitForWindow("aWinClass2", 15000);
    ASSERT_NE(nullptr, window);
    SetWindowPos(window, nullptr, 500, 400, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PostMessageA(window, WM_COMMAND, 197, 0); // Always on top off, not stored yet
    Sleep(300);
    clock.kill();
    EXPECT_EQ(321u, readValue(productKey, "LeftPos").number());
    EXPECT_EQ(123u, readValue(productKey, "TopPos").number());
    EXPECT_EQ(1u, readValue(productKey, "AlwaysOnTop").number());
    EXPECT_EQ(15u, readValue(productKey, "BlinkLength").number());
    EXPECT_EQ("Gold", storedText("SkinName"));
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), readValue(productKey, "LeftPos").type);
}

TEST_F(clockProcessTest, theClockIsShownWhateverShowCommandItWasStartedWith) {
    storePlainStart("Default");
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION info = {};
    ASSERT_TRUE(CreateProcessA(program().c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, install.path().c_str(),
                               &startup, &info));
    HWND window = nullptr;
    EXPECT_TRUE(waitUntil([&] { return (window = findProcessWindow(info.dwProcessId, "aWinClass2", true)) != nullptr; },
                          15000));
    if (window != nullptr) PostMessageA(window, WM_CLOSE, 0, 0);
    WaitForSingleObject(info.hProcess, 5000);
    TerminateProcess(info.hProcess, 97);
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
}

struct brokenSkin {
    const char* name;
    std::string skinName;
    void (*breakIt)(const installedCopy&);
};

void PrintTo(const brokenSkin& row, std::ostream* out) { *out << row.name; }

class skinRecoveryTest : public clockProcessTest, public ::testing::WithParamInterface<brokenSkin> {};

TEST_P(skinRecoveryTest, revertsToDefaultStartsANewClockAndEndsWithCodeOneSavingNothing) {
    const brokenSkin& row = GetParam();
    storePlainStart("Default");
    if (!row.skinName.empty()) writeText(productKey, "SkinName", row.skinName.c_str());
    row.breakIt(install);

    runningProgram clock(program(), install.path());
    HWND box = waitForBoxOf(clock.id(), 15000);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("There's no skin files.\nRevert to default skin.", boxText(box));
    EXPECT_EQ("Error occured", windowText(box));
    EXPECT_EQ(nullptr, GetWindow(box, GW_OWNER));
    EXPECT_EQ("Default", storedText("SkinName")) << "written before the box";
    answerBox(box);

    EXPECT_EQ(1u, clock.waitForExit(10000));
    EXPECT_EQ(321u, readValue(productKey, "LeftPos").number()) << "the ended clock saved nothing";

    HWND successor = nullptr;
    EXPECT_TRUE(waitUntil([&] { return (successor = findOtherClock(clock.id())) != nullptr; }, 15000));
    ASSERT_NE(nullptr, successor);
    DWORD successorId = 0;
    GetWindowThreadProcessId(successor, &successorId);
    Sleep(500);
    EXPECT_EQ(nullptr, findProcessWindow(successorId, "#32770", true)) << "the new clock loads Default without a box";
    EXPECT_TRUE(IsWindowVisible(successor));
}

void lacksBlink(const installedCopy& install) {
    CreateDirectoryA(install.file("Skins\\Half").c_str(), nullptr);
    CopyFileA(install.file("Skins\\Gold\\Main.bmp").c_str(), install.file("Skins\\Half\\Main.bmp").c_str(), FALSE);
}
void truncatedMain(const installedCopy& install) {
    CreateDirectoryA(install.file("Skins\\Cut").c_str(), nullptr);
    writeFile(install.file("Skins\\Cut\\Main.bmp"), readFile(install.file("Skins\\Gold\\Main.bmp")).substr(0, 100));
    CopyFileA(install.file("Skins\\Gold\\Blink.bmp").c_str(), install.file("Skins\\Cut\\Blink.bmp").c_str(), FALSE);
}
void nothing(const installedCopy&) {}
void numberAsName(const installedCopy&) { writeNumber(productKey, "SkinName", 7); }
void missingName(const installedCopy&) { deleteValue(productKey, "SkinName"); }

INSTANTIATE_TEST_SUITE_P(
    skins, skinRecoveryTest,
    ::testing::Values(brokenSkin{"lacksBlink", "Half", lacksBlink}, brokenSkin{"truncatedMain", "Cut", truncatedMain},
                      brokenSkin{"missingFolder", "Nowhere", nothing},
                      brokenSkin{"nameTooLongForItsBuffer", std::string(300, 'n'), nothing},
                      brokenSkin{"nameTooLongForThePath", std::string(245, 'p'), nothing},
                      brokenSkin{"nameStoredAsNumber", "", numberAsName},
                      brokenSkin{"nameMissing", "", missingName}),
    [](const ::testing::TestParamInfo<brokenSkin>& info) { return std::string(info.param.name); });

TEST_F(clockProcessTest, aBrokenDefaultSkinGivesOneBoxAndAClockThatRunsOn) {
    storePlainStart("Default");
    DeleteFileA(install.file("Skins\\Default\\Blink.bmp").c_str());
    runningProgram clock(program(), install.path());
    HWND box = waitForBoxOf(clock.id(), 15000);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("Error occured", windowText(box));
    answerBox(box);

    HWND window = clock.waitForWindow("aWinClass2", 10000);
    ASSERT_NE(nullptr, window);
    Sleep(1500);
    EXPECT_EQ(STILL_ACTIVE, clock.waitForExit(0));
    EXPECT_EQ(nullptr, findProcessWindow(clock.id(), "#32770", true)) << "one box, not a loop";
    EXPECT_EQ(nullptr, findOtherClock(clock.id())) << "no new instance";

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, clock.waitForExit(5000));
}
