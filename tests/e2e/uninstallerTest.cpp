// The uninstaller run in a throw-away installation: the keys, the files and folders, the closing box.
#include "installedCopy.h"
#include "registrySandbox.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
const char* const makerKey = "Software\\Quorvane";
const char* const productKey = "Software\\Quorvane\\Bellwick";
const char* const eventsKey = "Software\\Quorvane\\Bellwick\\Events";
const char* const skins[] = {"Black-White", "Default", "Gold", "NewStyle", "Original"};
const char* const clockClass = "aWinClass2";
const WPARAM quitCommand = 200;

// Everything the uninstaller removes, children before their folders.
std::vector<std::string> installedPaths() {
    std::vector<std::string> paths = {"Plannery.exe", "Plannery.ico", "Bellwick.exe", "Bellwick.ico",
                                      "Help\\Bugs.txt", "Help\\changes.log", "Help\\readme.html", "Help"};
    for (const char* skin : skins) {
        paths.push_back(std::string("Skins\\") + skin + "\\Blink.bmp");
        paths.push_back(std::string("Skins\\") + skin + "\\Main.bmp");
        paths.push_back(std::string("Skins\\") + skin);
    }
    paths.push_back("Skins");
    return paths;
}

void storeKeys() {
    writeNumber(productKey, "AlwaysOnTop", 1);
    writeText(productKey, "SkinName", "Default");
    writeNumber(eventsKey, "Count", 0);
}

BOOL CALLBACK findIconStatic(HWND child, LPARAM found) {
    if (SendMessageA(child, STM_GETICON, 0, 0) == 0) return TRUE;
    *reinterpret_cast<HWND*>(found) = child;
    return FALSE;
}

// Icon handles belong to their process under Wine (another process's STM_GETICON handle never equals
// our LoadIcon, and GetIconInfo refuses it), so the icon is compared as drawn: the screen under the box's
// icon static against our own copy of the standard icon drawn on the box's face colour.
bool drawsStandardIcon(HWND box, LPCSTR standardIcon) {
    HWND iconStatic = nullptr;
    EnumChildWindows(box, findIconStatic, reinterpret_cast<LPARAM>(&iconStatic));
    if (iconStatic == nullptr) return false;
    RECT place;
    GetWindowRect(iconStatic, &place);
    const int size = GetSystemMetrics(SM_CXICON);

    HDC screen = GetDC(nullptr);
    HDC drawn = CreateCompatibleDC(screen);
    HBITMAP picture = CreateCompatibleBitmap(screen, size, size);
    HGDIOBJ previous = SelectObject(drawn, picture);
    RECT all = {0, 0, size, size};
    FillRect(drawn, &all, GetSysColorBrush(COLOR_3DFACE));
    DrawIconEx(drawn, 0, 0, LoadIcon(nullptr, standardIcon), size, size, 0, nullptr, DI_NORMAL);
    bool same = true;
    for (int y = 0; y < size && same; y++)
        for (int x = 0; x < size && same; x++)
            same = GetPixel(drawn, x, y) == GetPixel(screen, place.left + x, place.top + y);
    SelectObject(drawn, previous);
    DeleteObject(picture);
    DeleteDC(drawn);
    ReleaseDC(nullptr, screen);
    return same;
}
} // namespace

struct recordedRun {
    bool boxShown = false;
    std::string text;
    std::string caption;
    bool owned = false;
    bool warningIcon = false;
    DWORD exitCode = STILL_ACTIVE;
};

void expectSuccessBox(const recordedRun& run) {
    ASSERT_TRUE(run.boxShown) << "no box from the uninstaller";
    EXPECT_EQ("Program was successfully uninstalled.", run.text);
    EXPECT_EQ("Uninstall complete", run.caption);
    EXPECT_FALSE(run.owned);
    EXPECT_TRUE(run.warningIcon) << "the box does not show the warning icon";
    EXPECT_EQ(0u, run.exitCode);
}

class uninstallerTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The editor may not be built into this installation; the uninstaller removes it all the same.
        if (!fileExists(install.file("Plannery.exe"))) writeFile(install.file("Plannery.exe"), "editor");
    }
    // Runs the uninstaller of the copy with folder as its current directory and answers its box.
    recordedRun uninstall(const std::string& folder) {
        recordedRun run;
        runningProgram program(install.file("uninstaller.exe"), folder);
        HWND box = waitForBoxOf(program.id(), 15000);
        if (box == nullptr) return run;
        run.boxShown = true;
        run.text = boxText(box);
        run.caption = windowText(box);
        run.owned = GetWindow(box, GW_OWNER) != nullptr;
        run.warningIcon = waitUntil([&] { return drawsStandardIcon(box, IDI_WARNING); }, 5000);
        answerBox(box);
        run.exitCode = program.waitForExit(10000);
        return run;
    }
    installedCopy install;
};

TEST_F(uninstallerTest, removesTheKeysAndEveryInstalledFileThenReportsSuccess) {
    runningProgram clock(install.file("Bellwick.exe"), install.path());
    HWND greeting = waitForBoxOf(clock.id(), 15000);
    ASSERT_NE(nullptr, greeting);
    EXPECT_EQ("Program is running for first time.", boxText(greeting));
    answerBox(greeting);
    HWND window = clock.waitForWindow(clockClass, 10000);
    ASSERT_NE(nullptr, window);
    PostMessageA(window, WM_COMMAND, quitCommand, 0);
    ASSERT_EQ(0u, clock.waitForExit(10000));
    ASSERT_TRUE(keyExists(eventsKey));

    expectSuccessBox(uninstall(install.path()));
    EXPECT_FALSE(keyExists(eventsKey));
    EXPECT_FALSE(keyExists(productKey));
    EXPECT_TRUE(keyExists(makerKey)) << "the maker's key is not the uninstaller's to remove";
    for (const std::string& path : installedPaths()) EXPECT_FALSE(fileExists(install.file(path))) << path;
    EXPECT_TRUE(fileExists(install.file("uninstaller.exe")));
    EXPECT_TRUE(fileExists(install.path()));
}

TEST_F(uninstallerTest, aSecondRunFindsNothingToRemoveAndReportsSuccessAgain) {
    storeKeys();
    expectSuccessBox(uninstall(install.path()));
    {
        SCOPED_TRACE("second run");
        expectSuccessBox(uninstall(install.path()));
    }
    EXPECT_FALSE(keyExists(productKey));
    EXPECT_TRUE(fileExists(install.file("uninstaller.exe")));
}

TEST_F(uninstallerTest, filesItDidNotInstallKeepTheirFolders) {
    writeFile(install.file("Skins\\Gold\\notes.txt"), "mine");
    makeFolder(install.file("Skins\\Mine"));
    expectSuccessBox(uninstall(install.path()));
    EXPECT_TRUE(fileExists(install.file("Skins\\Gold\\notes.txt")));
    EXPECT_FALSE(fileExists(install.file("Skins\\Gold\\Main.bmp")));
    EXPECT_FALSE(fileExists(install.file("Skins\\Gold\\Blink.bmp")));
    EXPECT_TRUE(fileExists(install.file("Skins\\Mine")));
    EXPECT_TRUE(fileExists(install.file("Skins")));
    for (const std::string skin : skins) {
        if (skin == "Gold") continue;
        EXPECT_FALSE(fileExists(install.file("Skins\\" + skin))) << skin;
    }
    EXPECT_FALSE(fileExists(install.file("Help")));
}

TEST_F(uninstallerTest, startedInAnotherFolderItDeletesTheKeysAndLeavesTheInstallationAlone) {
    storeKeys();
    scratchFolder elsewhere(false);
    // It works on its current folder, not on its own.
    writeFile(elsewhere.file("Bellwick.ico"), "icon");
    expectSuccessBox(uninstall(elsewhere.path()));
    EXPECT_FALSE(keyExists(eventsKey));
    EXPECT_FALSE(keyExists(productKey));
    EXPECT_FALSE(fileExists(elsewhere.file("Bellwick.ico")));
    for (const std::string& path : installedPaths()) EXPECT_TRUE(fileExists(install.file(path))) << path;
}

TEST_F(uninstallerTest, whileTheClockRunsItsProgramFileStaysAndEverythingElseGoes) {
    storeKeys();
    runningProgram clock(install.file("Bellwick.exe"), install.path());
    HWND window = clock.waitForWindow(clockClass, 15000);
    ASSERT_NE(nullptr, window);

    expectSuccessBox(uninstall(install.path()));
    EXPECT_FALSE(keyExists(eventsKey));
    EXPECT_FALSE(keyExists(productKey));
    // Wine refuses to delete a running program's file (DeleteFileA fails with 5), as Windows does.
    EXPECT_TRUE(fileExists(install.file("Bellwick.exe")));
    for (const std::string& path : installedPaths()) {
        if (path == "Bellwick.exe") continue;
        EXPECT_FALSE(fileExists(install.file(path))) << path;
    }

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, clock.waitForExit(10000));
    EXPECT_FALSE(keyExists(productKey)) << "the clock's end saves nothing into a removed key";
    expectSuccessBox(uninstall(install.path()));
    EXPECT_FALSE(fileExists(install.file("Bellwick.exe"))) << "once the clock has ended, a second run removes it";
}
