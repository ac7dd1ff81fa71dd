// The popup menu as built, the Skin submenu from the folders, and every command through WM_COMMAND.
#include "clockFixture.h"

#include "aPopupMenu.h"
#include "loadText.h"
#include "processRunner.h"

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

struct itemView {
    UINT id, type, state;
    HMENU submenu;
    std::string text;
};

itemView itemAt(HMENU menu, int position) {
    char text[256] = "";
    MENUITEMINFOA info;
    memset(&info, 0, sizeof info);
    info.cbSize = 44;
    info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = sizeof text;
    GetMenuItemInfoA(menu, position, TRUE, &info);
    return {info.wID, info.fType, info.fState, info.hSubMenu, text};
}

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
} // namespace

class menuCommandTest : public clockTest {
protected:
    void SetUp() override {
        clockTest::SetUp();
        storeSettings();
    }
    HMENU mainMenu() { return clock->mainMenu->getHandle(); }
    HMENU skinMenu() { return clock->skinMenu->getHandle(); }
};

TEST_F(menuCommandTest, theMenuHoldsItsTwelveItemsInOrder) {
    startClock();
    const menuRow table[] = {
        {MFT_STRING, 180, "Hide/Show", MFS_DEFAULT},
        {MFT_SEPARATOR, 181, "", 0},
        {MFT_STRING, 190, "Alarm\tF5", 0},
        {MFT_STRING, 196, "Settings\tCtrl+O", 0},
        {MFT_STRING, 194, "Refresh\tCtrl+R", 0},
        {MFT_STRING, 197, "Always on top", MFS_CHECKED},
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
        EXPECT_EQ(row.type, item.type & MFT_SEPARATOR) << "position " << i + 1;
        if (row.id >= 0) EXPECT_EQ(static_cast<UINT>(row.id), item.id) << "position " << i + 1;
        EXPECT_EQ(row.text, item.text) << "position " << i + 1;
        EXPECT_EQ(row.state, item.state & (MFS_DEFAULT | MFS_CHECKED)) << "position " << i + 1;
    }
    itemView skin = itemAt(mainMenu(), 6);
    EXPECT_EQ(skinMenu(), skin.submenu);
    EXPECT_EQ(-1, static_cast<int>(GetMenuItemID(mainMenu(), 6)));
}

TEST_F(menuCommandTest, theSkinSubmenuListsTheSkinFoldersAndChecksTheCurrentOne) {
    startClock();
    EXPECT_EQ((std::vector<std::string>{"Black-White", "Default", "Gold", "NewStyle", "Original"}), skinItems(skinMenu()));
    for (int i = 0; i < 5; i++) EXPECT_EQ(static_cast<UINT>(10000 + i), itemAt(skinMenu(), i).id);
    EXPECT_EQ(10005, clock->skinItemEnd);
    EXPECT_EQ("Default;", checkedSkin(skinMenu()));
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
}

TEST_F(menuCommandTest, theCurrentSkinIsMatchedExactlyCaseIncluded) {
    // The file system finds the folder whatever the case; the menu's mark does not.
    writeText(productKeyPath, "SkinName", "gold");
    startClock();
    EXPECT_NE(nullptr, clock->mainImage);
    EXPECT_EQ("", checkedSkin(skinMenu()));
}

TEST_F(menuCommandTest, hideShowTogglesTheWindowAndTheMark) {
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
    loadText(2005);
    loadText(2018);
    command(192);
    ASSERT_EQ(1u, boxes.boxes().size());
    const recordedBox& about = boxes.boxes()[0];
    EXPECT_EQ(loadText(2002), about.text);
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
        EXPECT_EQ(expected ? static_cast<UINT>(MF_CHECKED) : 0u, GetMenuState(mainMenu(), 197, MF_BYCOMMAND) & MF_CHECKED);
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
    EXPECT_EQ(static_cast<UINT>(MF_CHECKED), GetMenuState(mainMenu(), 197, MF_BYCOMMAND) & MF_CHECKED);
}

TEST_F(menuCommandTest, quitPostsQuitToTheClock) {
    startClock();
    command(200);
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(clock->handle(), message.hwnd);
}

TEST_F(menuCommandTest, settingsStartsTheEditorFromTheCurrentFolderAndNothingWhenItIsMissing) {
    startClock();
    command(196);
    EXPECT_EQ(nullptr, clock->editorProcess.hProcess) << "no Plannery.exe here";
    EXPECT_TRUE(boxes.boxes().empty());
    copyFile(testProgram("fakeEditor.exe"), folder.file("Plannery.exe"));
    command(196);
    ASSERT_NE(nullptr, clock->editorProcess.hProcess);
    EXPECT_TRUE(waitUntil([&] { return fileExists(folder.file("editor-started.txt")); }, 10000));
    writeFile(folder.file("editor-stop"), "");
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(clock->editorProcess.hProcess, 10000));
}

TEST_F(menuCommandTest, choosingASkinStoresItAtOnceLoadsItAndMarksIt) {
    startClock();
    HBITMAP before = clock->mainImage;
    command(10002);
    storedValue stored = readValue(productKeyPath, "SkinName");
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), stored.type);
    EXPECT_EQ(std::string("Gold", 5), stored.data);
    EXPECT_STREQ("Gold", clock->skinName);
    EXPECT_NE(nullptr, clock->mainImage);
    EXPECT_NE(before, clock->mainImage);
    EXPECT_EQ("Gold;", checkedSkin(skinMenu()));
}

TEST_F(menuCommandTest, identifiersThatNameNoCommandChangeNothing) {
    startClock();
    ShowWindow(clock->handle(), SW_SHOW);
    for (int id : {185, 9999, 181, 198, 10005, 20000}) {
        command(id);
        EXPECT_TRUE(IsWindowVisible(clock->handle())) << id;
        EXPECT_EQ(0, clock->alarmActive) << id;
        EXPECT_TRUE(clock->alwaysOnTop) << id;
        EXPECT_STREQ("Default", clock->skinName) << id;
        EXPECT_EQ(std::string("Default", 8), readValue(productKeyPath, "SkinName").data) << id;
        MSG message;
        EXPECT_FALSE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << id;
    }
    EXPECT_TRUE(boxes.boxes().empty());
}
