// The popup menu as built, the Skin submenu from the folders, and every command through WM_COMMAND.
#include "clockFixture.h"
#include "menuItems.h"

#include "aPopupMenu.h"
#include "loadText.h"
#include "processRunner.h"

#include <sddl.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {
struct menuRow {
    UINT type;
    int id; // -1: no identifier (the submenu item)
    const char* text;
    UINT state;
};

std::vector<std::string> skinItems(HMENU menu) {
    std::vector<std::string> texts;
    for (int i = 0; i < GetMenuItemCount(menu); i++) texts.push_back(itemAt(menu, i).text);
    return texts;
}

std::string checkedSkin(HMENU menu) {
    std::string checked;
    for (int i = 0; i < GetMenuItemCount(menu); i++)
        if (itemAt(menu, i).state & MFS_CHECKED) checked += itemAt(menu, i).text + ";";
    return checked;
}

bool isTopmost(HWND window) { return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

// The colour of a 24-bit bottom-up skin file's pixel (x, y), as GetPixel reports it.
COLORREF filePixel(const std::string& bmp, int x, int y) {
    const size_t row = 196, offset = 54 + (64 - y) * row + x * 3;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(bmp.data()) + offset;
    return RGB(p[2], p[1], p[0]);
}

COLORREF imagePixel(HBITMAP image, int x, int y) {
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ kept = SelectObject(memory, image);
    COLORREF colour = GetPixel(memory, x, y) & 0xFFFFFF;
    SelectObject(memory, kept);
    DeleteDC(memory);
    return colour;
}

// Ends the fake editors of a test however it goes: they stop when "editor-stop" appears.
class editorsStopper {
public:
    explicit editorsStopper(const scratchFolder& folder) : folder(folder) {}
    ~editorsStopper() {
        writeFile(folder.file("editor-stop"), "");
        for (HANDLE editor : editors) {
            WaitForSingleObject(editor, 10000);
            CloseHandle(editor);
        }
    }
    // A handle of the test's own, so that the editor can be waited for after the clock let go of it.
    HANDLE watch(DWORD processId) {
        HANDLE editor = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, processId);
        if (editor != nullptr) editors.push_back(editor);
        return editor;
    }

private:
    const scratchFolder& folder;
    std::vector<HANDLE> editors;
};

// The real user's key (HKEY_USERS\<sid>\...), which a browser started by the shell reads in its own
// process; this process's HKEY_CURRENT_USER is the sandbox.
HKEY realUserKey(const char* path) {
    HANDLE token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return nullptr;
    char buffer[256];
    DWORD size = 0;
    char* sid = nullptr;
    if (GetTokenInformation(token, TokenUser, buffer, sizeof buffer, &size))
        ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, &sid);
    CloseHandle(token);
    if (sid == nullptr) return nullptr;
    std::string full = std::string(sid) + "\\" + path;
    LocalFree(sid);
    HKEY key = nullptr;
    if (RegCreateKeyA(HKEY_USERS, full.c_str(), &key) != ERROR_SUCCESS) return nullptr;
    return key;
}

std::string unixPath(const std::string& windowsPath) {
    typedef char*(__cdecl * converter)(const WCHAR*);
    converter toUnix = reinterpret_cast<converter>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (toUnix == nullptr) return "";
    WCHAR wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH);
    char* converted = toUnix(wide);
    if (converted == nullptr) return "";
    std::string path = converted;
    HeapFree(GetProcessHeap(), 0, converted);
    return path;
}

// While it lives, what Wine's browser is asked to open is appended to a file: the .html type leads to
// winebrowser (the prefix may lack the type) and its Browsers setting runs a shell line. Both restored.
class browserRecorder {
public:
    explicit browserRecorder(const std::string& record) {
        HKEY type;
        if (RegOpenKeyA(HKEY_CLASSES_ROOT, ".html", &type) == ERROR_SUCCESS) {
            RegCloseKey(type);
        } else if (RegCreateKeyA(HKEY_CLASSES_ROOT, ".html", &type) == ERROR_SUCCESS) {
            RegSetValueExA(type, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>("htmlfile"), 9);
            RegCloseKey(type);
            typeAdded = true;
        }
        browser = realUserKey("Software\\Wine\\WineBrowser");
        if (browser == nullptr) return;
        char old[1024];
        DWORD size = sizeof old - 1;
        DWORD kind = 0;
        if (RegQueryValueExA(browser, "Browsers", nullptr, &kind, reinterpret_cast<BYTE*>(old), &size) == ERROR_SUCCESS &&
            kind == REG_SZ) {
            old[size] = '\0';
            previous = old;
            hadPrevious = true;
        }
        const std::string line = "/bin/sh -c \"echo \\\"$0\\\" >> '" + unixPath(record) + "'\"";
        RegSetValueExA(browser, "Browsers", 0, REG_SZ, reinterpret_cast<const BYTE*>(line.c_str()),
                       static_cast<DWORD>(line.size() + 1));
    }
    ~browserRecorder() {
        if (browser != nullptr) {
            if (hadPrevious)
                RegSetValueExA(browser, "Browsers", 0, REG_SZ, reinterpret_cast<const BYTE*>(previous.c_str()),
                               static_cast<DWORD>(previous.size() + 1));
            else
                RegDeleteValueA(browser, "Browsers");
            RegCloseKey(browser);
        }
        if (typeAdded) RegDeleteKeyA(HKEY_CLASSES_ROOT, ".html");
    }
    bool ready() const { return browser != nullptr; }

private:
    HKEY browser = nullptr;
    bool typeAdded = false;
    bool hadPrevious = false;
    std::string previous;
};
} // namespace

class menuCommandTest : public clockTest {
protected:
    void SetUp() override {
        clockTest::SetUp();
        storeSettings();
        at(12, 0, 30); // no event is due, whatever the ticks
    }
    HMENU mainMenu() { return clock->mainMenu->getHandle(); }
    HMENU skinMenu() { return clock->skinMenu->getHandle(); }
    UINT onTopMark() { return GetMenuState(mainMenu(), 197, MF_BYCOMMAND) & MF_CHECKED; }
};

TEST_F(menuCommandTest, theMenuHoldsItsTwelveItemsInOrder) {
    for (DWORD onTop : {1u, 0u}) {
        storedSettings settings;
        settings.alwaysOnTop = onTop;
        storeSettings(settings);
        startClock();
        const UINT onTopState = onTop ? MFS_CHECKED : 0;
        const menuRow table[] = {
            {MFT_STRING, 180, "Hide/Show", MFS_DEFAULT},
            {MFT_SEPARATOR, 181, "", 0},
            {MFT_STRING, 190, "Alarm\tF5", 0},
            {MFT_STRING, 196, "Settings\tCtrl+O", 0},
            {MFT_STRING, 194, "Refresh\tCtrl+R", 0},
            {MFT_STRING, 197, "Always on top", onTopState},
            {MFT_STRING, -1, "Skin", 0},
            {MFT_SEPARATOR, 191, "", 0},
            {MFT_STRING, 195, "Help\tF1", 0},
            {MFT_STRING, 192, "About...", 0},
            {MFT_SEPARATOR, 193, "", 0},
            {MFT_STRING, 200, "Quit\tCtrl+X", 0},
        };
        ASSERT_EQ(12, GetMenuItemCount(mainMenu()));
        for (int i = 0; i < 12; i++) {
            const menuRow& row = table[i];
            itemView item = itemAt(mainMenu(), i);
            const std::string where = "position " + std::to_string(i + 1) + ", AlwaysOnTop " + std::to_string(onTop);
            EXPECT_EQ(row.type, item.type & MFT_SEPARATOR) << where;
            if (row.id >= 0) {
                EXPECT_EQ(static_cast<UINT>(row.id), item.id) << where;
            }
            EXPECT_EQ(row.text, item.text) << where;
            EXPECT_EQ(row.state, item.state & (MFS_DEFAULT | MFS_CHECKED)) << where;
            EXPECT_EQ(i == 6 ? skinMenu() : nullptr, item.submenu) << where;
        }
        EXPECT_EQ(0u, itemAt(mainMenu(), 6).id);
        EXPECT_EQ(-1, static_cast<int>(GetMenuItemID(mainMenu(), 6)));
        stopClock();
    }
}

TEST_F(menuCommandTest, theSkinSubmenuListsTheSkinFoldersInListingOrder) {
    startClock();
    EXPECT_EQ((std::vector<std::string>{"Black-White", "Default", "Gold", "NewStyle", "Original"}), skinItems(skinMenu()));
    for (int i = 0; i < 5; i++) EXPECT_EQ(static_cast<UINT>(10000 + i), itemAt(skinMenu(), i).id);
    EXPECT_EQ(10005, clock->skinItemEnd);
}

TEST_F(menuCommandTest, exactlyTheSkinNamedInTheSettingsIsCheckedCaseIncluded) {
    // The file system finds "default" whatever the case; the menu's mark does not.
    const struct {
        const char* skinName;
        const char* checked;
    } cases[] = {{"Default", "Default;"}, {"Gold", "Gold;"}, {"Black-White", "Black-White;"}, {"default", ""}};
    for (const auto& c : cases) {
        writeText(productKeyPath, "SkinName", c.skinName);
        startClock();
        EXPECT_EQ(c.checked, checkedSkin(skinMenu())) << c.skinName;
        EXPECT_NE(nullptr, clock->mainImage) << c.skinName;
        stopClock();
    }
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(menuCommandTest, onlyFoldersBecomeSkinItems) {
    removeTree(folder.file("Skins"));
    makeFolder(folder.file("Skins"));
    makeFolder(folder.file("tmp"));
    copyInstalledSkins(folder.file("tmp"));
    MoveFileA(folder.file("tmp\\Skins\\Default").c_str(), folder.file("Skins\\Default").c_str());
    MoveFileA(folder.file("tmp\\Skins\\Gold").c_str(), folder.file("Skins\\Zinc").c_str());
    writeFile(folder.file("Skins\\readme.txt"), "not a skin");
    startClock();
    EXPECT_EQ((std::vector<std::string>{"Default", "Zinc"}), skinItems(skinMenu()));
    EXPECT_EQ(10002, clock->skinItemEnd);
    EXPECT_EQ("Default;", checkedSkin(skinMenu()));
}

TEST_F(menuCommandTest, withoutASkinsFolderTheSubmenuIsEmptyAndTheClockRunsWithoutPictures) {
    removeTree(folder.file("Skins"));
    startClock();
    EXPECT_EQ(0, GetMenuItemCount(skinMenu()));
    EXPECT_EQ(10000, clock->skinItemEnd);
    ASSERT_EQ(1u, boxes.boxes().size());
    EXPECT_EQ("There's no skin files.\nRevert to default skin.", boxes.boxes()[0].text);
    EXPECT_EQ("Error occured", boxes.boxes()[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), boxes.boxes()[0].icon);
    EXPECT_EQ(nullptr, boxes.boxes()[0].owner);
    EXPECT_EQ(nullptr, clock->mainImage);
    EXPECT_EQ(nullptr, clock->blinkImage);
    EXPECT_STREQ("Default", clock->skinName);
}

TEST_F(menuCommandTest, hideShowHidesThenShowsTheWindow) {
    startClock();
    ShowWindow(clock->handle(), SW_SHOW);
    command(180);
    EXPECT_FALSE(IsWindowVisible(clock->handle()));
    EXPECT_EQ(1, clock->hidden);
    command(180);
    EXPECT_TRUE(IsWindowVisible(clock->handle()));
    EXPECT_EQ(0, clock->hidden);
}

TEST_F(menuCommandTest, alarmStartsTheBlinkingFromZero) {
    startClock();
    clock->blinkTicks = 12;
    command(190);
    EXPECT_EQ(1, clock->alarmActive);
    EXPECT_EQ(0, clock->blinkTicks);
}

TEST_F(menuCommandTest, aboutShowsTheTextCopiedAtTheStart) {
    startClock();
    // The shared text buffer holds other texts by now.
    loadText(2005);
    loadText(2018);
    loadText(2005);
    command(192);
    ASSERT_EQ(1u, boxes.boxes().size());
    const recordedBox& about = boxes.boxes()[0];
    EXPECT_EQ("Bellwick.\nVersion beta 2.\nMade by Quorvane.\nContact: bellwick@quorvane.example", about.text);
    EXPECT_EQ("About...", about.caption);
    EXPECT_EQ(clock->handle(), about.owner);
    EXPECT_EQ(static_cast<UINT>(MB_ICONINFORMATION), about.icon);
    EXPECT_EQ(static_cast<UINT>(MB_OK), about.buttons);
}

TEST_F(menuCommandTest, alwaysOnTopTogglesFlagMarkAndBandButStoresNothing) {
    startClock();
    ASSERT_TRUE(isTopmost(clock->handle()));
    for (bool expected : {false, true}) {
        command(197);
        EXPECT_EQ(expected, clock->alwaysOnTop);
        EXPECT_EQ(expected, isTopmost(clock->handle()));
        EXPECT_EQ(expected ? static_cast<UINT>(MF_CHECKED) : 0u, onTopMark());
        EXPECT_EQ(1u, readValue(productKeyPath, "AlwaysOnTop").number());
    }
}

TEST_F(menuCommandTest, refreshAfterAToggleRestoresTheStoredFlagAndMark) {
    startClock();
    command(197);
    ASSERT_FALSE(clock->alwaysOnTop);
    command(194);
    EXPECT_TRUE(clock->alwaysOnTop);
    EXPECT_TRUE(isTopmost(clock->handle()));
    EXPECT_EQ(static_cast<UINT>(MF_CHECKED), onTopMark());
    EXPECT_EQ("Default;", checkedSkin(skinMenu()));
}

TEST_F(menuCommandTest, helpOpensTheHelpPageThroughTheShell) {
    makeFolder(folder.file("Help"));
    writeFile(folder.file("Help\\readme.html"), "<html></html>");
    const std::string record = folder.file("opened.txt");
    browserRecorder recorder(record);
    ASSERT_TRUE(recorder.ready());
    startClock();
    command(195);
    EXPECT_TRUE(boxes.boxes().empty());
    ASSERT_TRUE(waitUntil([&] { return readFile(record).find("\n") != std::string::npos; }, 15000)) << "nothing opened";
    const std::string opened = readFile(record);
    EXPECT_NE(std::string::npos, opened.find(unixPath(folder.file("Help\\readme.html")))) << opened;
    EXPECT_EQ(1u, static_cast<size_t>(std::count(opened.begin(), opened.end(), '\n'))) << opened;
}

TEST_F(menuCommandTest, quitPostsQuitToTheClock) {
    startClock();
    command(200);
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(clock->handle(), message.hwnd);
}

TEST_F(menuCommandTest, settingsWithoutAnEditorDoesNothing) {
    startClock();
    command(196);
    EXPECT_EQ(nullptr, clock->editorProcess.hProcess) << "no Plannery.exe here";
    EXPECT_EQ(nullptr, clock->editorProcess.hThread);
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(menuCommandTest, settingsStartsTheEditorFromTheCurrentFolder) {
    copyFile(testProgram("fakeEditor.exe"), folder.file("Plannery.exe"));
    startClock();
    editorsStopper editors(folder);
    command(196);
    ASSERT_NE(nullptr, clock->editorProcess.hProcess);
    editors.watch(clock->editorProcess.dwProcessId);
    EXPECT_TRUE(waitUntil([&] { return fileExists(folder.file("editor-started.txt")); }, 10000));
    EXPECT_EQ(STILL_ACTIVE, [&] {
        DWORD code = 0;
        GetExitCodeProcess(clock->editorProcess.hProcess, &code);
        return code;
    }());
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(menuCommandTest, aSecondSettingsCommandStartsASecondEditorAndTheWatchFollowsIt) {
    copyFile(testProgram("fakeEditor.exe"), folder.file("Plannery.exe"));
    storeEvents({"08:00 a"});
    startClock();
    editorsStopper editors(folder);
    command(196);
    ASSERT_NE(nullptr, clock->editorProcess.hProcess);
    const DWORD firstId = clock->editorProcess.dwProcessId;
    HANDLE first = editors.watch(firstId);
    ASSERT_NE(nullptr, first);
    command(196);
    ASSERT_NE(nullptr, clock->editorProcess.hProcess);
    const DWORD secondId = clock->editorProcess.dwProcessId;
    ASSERT_NE(firstId, secondId);
    HANDLE second = editors.watch(secondId);
    ASSERT_NE(nullptr, second);
    std::string started;
    EXPECT_TRUE(waitUntil(
        [&] {
            started = readFile(folder.file("editor-started.txt"));
            return std::count(started.begin(), started.end(), '\n') == 2;
        },
        10000))
        << started;

    // The first editor ends: the watch, on the second, goes on.
    storeEvents({"09:00 b", "10:00 c"});
    TerminateProcess(first, 0);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(first, 10000));
    tick();
    EXPECT_EQ(secondId, clock->editorProcess.dwProcessId);
    EXPECT_NE(nullptr, clock->editorProcess.hProcess);
    EXPECT_EQ(1u, clock->eventCount) << "the events are read when the watched editor ends";

    writeFile(folder.file("editor-stop"), "");
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(second, 10000));
    tick();
    EXPECT_EQ(nullptr, clock->editorProcess.hProcess);
    EXPECT_EQ(2u, clock->eventCount);
}

TEST_F(menuCommandTest, choosingASkinStoresItAtOnceLoadsItAndMarksIt) {
    startClock();
    HBITMAP before = clock->mainImage;
    command(10002);
    storedValue stored = readValue(productKeyPath, "SkinName");
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), stored.type);
    EXPECT_EQ(std::string("Gold", 5), stored.data);
    EXPECT_STREQ("Gold", clock->skinName);
    ASSERT_NE(nullptr, clock->mainImage);
    EXPECT_NE(before, clock->mainImage);
    const int x = 48, y = 44;
    const COLORREF gold = filePixel(readFile(folder.file("Skins\\Gold\\Main.bmp")), x, y);
    ASSERT_NE(filePixel(readFile(folder.file("Skins\\Default\\Main.bmp")), x, y), gold);
    EXPECT_EQ(gold, imagePixel(clock->mainImage, x, y));
    EXPECT_EQ("Gold;", checkedSkin(skinMenu()));
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(menuCommandTest, identifiersThatNameNoCommandChangeNothing) {
    startClock();
    ShowWindow(clock->handle(), SW_SHOW);
    const HBITMAP image = clock->mainImage;
    for (int id : {185, 9999, 181, 198, 10005, 20000}) {
        command(id);
        EXPECT_TRUE(IsWindowVisible(clock->handle())) << id;
        EXPECT_EQ(0, clock->hidden) << id;
        EXPECT_EQ(0, clock->alarmActive) << id;
        EXPECT_TRUE(clock->alwaysOnTop) << id;
        EXPECT_TRUE(isTopmost(clock->handle())) << id;
        EXPECT_EQ(static_cast<UINT>(MF_CHECKED), onTopMark()) << id;
        EXPECT_STREQ("Default", clock->skinName) << id;
        EXPECT_EQ(image, clock->mainImage) << id << ": no reload";
        EXPECT_EQ("Default;", checkedSkin(skinMenu())) << id;
        EXPECT_EQ(nullptr, clock->editorProcess.hProcess) << id;
        EXPECT_EQ(std::string("Default", 8), readValue(productKeyPath, "SkinName").data) << id;
        EXPECT_EQ(1u, readValue(productKeyPath, "AlwaysOnTop").number()) << id;
        MSG message;
        EXPECT_FALSE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << id;
    }
    EXPECT_TRUE(boxes.boxes().empty());
}
