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
} // namespace

struct recordedRun {
    std::string text;
    std::string caption;
    bool owned = false;
    DWORD exitCode = STILL_ACTIVE;
};

class uninstallerTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The editor may not be built into this installation; the uninstaller removes it all the same.
        if (!fileExists(install.file("Plannery.exe"))) writeFile(install.file("Plannery.exe"), "editor");
    }
    // Runs the uninstaller in folder, answers its box and returns the box's text and caption.
    recordedRun uninstall(const std::string& folder) {
        recordedRun run;
        runningProgram program(install.file("uninstaller.exe"), folder);
        HWND box = waitForBoxOf(program.id(), 15000);
        if (box == nullptr) return run;
        run.text = boxText(box);
        run.caption = windowText(box);
        run.owned = GetWindow(box, GW_OWNER) != nullptr;
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
    answerBox(greeting);
    HWND window = clock.waitForWindow("aWinClass2", 10000);
    ASSERT_NE(nullptr, window);
    PostMessageA(window, WM_COMMAND, 200, 0);
    ASSERT_EQ(0u, clock.waitForExit(10000));
    ASSERT_TRUE(keyExists(eventsKey));

    recordedRun run = uninstall(install.path());
    EXPECT_EQ("Program was successfully uninstalled.", run.text);
    EXPECT_EQ("Uninstall complete", run.caption);
    EXPECT_FALSE(run.owned);
    EXPECT_EQ(0u, run.exitCode);
    EXPECT_FALSE(keyExists(eventsKey));
    EXPECT_FALSE(keyExists(productKey));
    EXPECT_TRUE(keyExists(makerKey));
    for (const std::string& path : installedPaths()) EXPECT_FALSE(fileExists(install.file(path))) << path;
    EXPECT_TRUE(fileExists(install.file("uninstaller.exe")));
    EXPECT_TRUE(fileExists(install.path()));

    recordedRun again = uninstall(install.path());
    EXPECT_EQ("Program was successfully uninstalled.", again.text) << "a second run reports success again";
    EXPECT_EQ(0u, again.exitCode);
}

TEST_F(uninstallerTest, filesItDidNotInstallKeepTheirFolders) {
    writeFile(install.file("Skins\\Gold\\notes.txt"), "mine");
    makeFolder(install.file("Skins\\Mine"));
    recordedRun run = uninstall(install.path());
    EXPECT_EQ(0u, run.exitCode);
    EXPECT_TRUE(fileExists(install.file("Skins\\Gold\\notes.txt")));
    EXPECT_FALSE(fileExists(install.file("Skins\\Gold\\Main.bmp")));
    EXPECT_TRUE(fileExists(install.file("Skins\\Mine")));
    EXPECT_TRUE(fileExists(install.file("Skins")));
    EXPECT_FALSE(fileExists(install.file("Skins\\Default")));
    EXPECT_FALSE(fileExists(install.file("Help")));
}

TEST_F(uninstallerTest, startedInAnotherFolderItDeletesTheKeysAndLeavesTheInstallationAlone) {
    storeKeys();
    scratchFolder elsewhere(false);
    recordedRun run = uninstall(elsewhere.path());
    EXPECT_EQ("Program was successfully uninstalled.", run.text);
    EXPECT_FALSE(keyExists(productKey));
    for (const std::string& path : installedPaths()) EXPECT_TRUE(fileExists(install.file(path))) << path;
}

TEST_F(uninstallerTest, whileTheClockRunsTheKeysGoAndTheClockDoesNotCreateThemAgain) {
    storeKeys();
    runningProgram clock(install.file("Bellwick.exe"), install.path());
    HWND window = clock.waitForWindow("aWinClass2", 15000);
    ASSERT_NE(nullptr, window);
    recordedRun run = uninstall(install.path());
    EXPECT_EQ(0u, run.exitCode);
    EXPECT_FALSE(keyExists(productKey));
    EXPECT_TRUE(fileExists(install.file("Bellwick.exe"))) << "a running program's file cannot be deleted";
    EXPECT_FALSE(fileExists(install.file("Bellwick.ico")));
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, clock.waitForExit(10000));
    EXPECT_FALSE(keyExists(productKey)) << "the clock's end saves nothing into a removed key";
}
