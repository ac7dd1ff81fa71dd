// The reload of configuration and skin: what it reads at start and on Refresh, and what the face shows.
#include "clockFixture.h"

#include "aPopupMenu.h"
#include "aStringList.h"

#include <cstring>
#include <string>

namespace {
bool isTopmost(HWND window) { return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

// The colour of a 24-bit bottom-up skin file's pixel (x, y), as GetPixel reports it.
COLORREF filePixel(const std::string& bmp, int x, int y) {
    const size_t row = 196, offset = 54 + (64 - y) * row + x * 3;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(bmp.data()) + offset;
    return RGB(p[2], p[1], p[0]);
}

BOOL CALLBACK findToolkitWindow(HWND window, LPARAM found) {
    char name[32] = "";
    GetClassNameA(window, name, sizeof name);
    if (strncmp(name, "aWinClass", 9) != 0) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// The clock's window while its constructor still runs (the fixture's pointer is not set yet).
HWND clockWindowOfThisThread() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findToolkitWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

const char* const skinMissingText = "There's no skin files.\nRevert to default skin.";
} // namespace

class skinReloadTest : public clockTest {
protected:
    RECT windowRect() { return rectOf(clock->handle()); }
    static RECT rectOf(HWND window) {
        RECT r;
        GetWindowRect(window, &r);
        return r;
    }
    COLORREF facePixel(int x, int y) {
        HDC dc = GetDC(clock->handle());
        COLORREF colour = GetPixel(dc, x, y) & 0xFFFFFF;
        ReleaseDC(clock->handle(), dc);
        return colour;
    }
    std::string skinFile(const char* skin, const char* file) {
        return readFile(folder.file(std::string("Skins\\") + skin + "\\" + file));
    }
    UINT onTopMark() { return GetMenuState(clock->mainMenu->getHandle(), 197, MF_BYCOMMAND) & MF_CHECKED; }
    void expectSkinMissingBox(const recordedBox& box) {
        EXPECT_EQ(skinMissingText, box.text);
        EXPECT_EQ("Error occured", box.caption);
        EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), box.icon);
        EXPECT_EQ(static_cast<UINT>(MB_OK), box.buttons);
        EXPECT_EQ(nullptr, box.owner);
    }
};

TEST_F(skinReloadTest, theStartPlacesTheWindowAndReadsTheBlinkLength) {
    storeSettings({1, 40, static_cast<DWORD>(-30), 4, "Default"});
    startClock();
    EXPECT_EQ(-30, windowRect().left);
    EXPECT_EQ(40, windowRect().top);
    EXPECT_EQ(-30, clock->leftPos);
    EXPECT_EQ(40, clock->topPos);
    EXPECT_EQ(4, clock->blinkLength);
    EXPECT_NE(nullptr, clock->mainImage);
    EXPECT_NE(nullptr, clock->blinkImage);
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(skinReloadTest, theStartReadsAlwaysOnTopIntoFlagMarkAndBand) {
    const struct {
        bool stored;
        DWORD value;
        bool onTop;
    } cases[] = {{true, 5, true}, {true, 1, true}, {true, 0, false}, {false, 0, true}};
    for (const auto& c : cases) {
        const std::string which = c.stored ? std::to_string(c.value) : "missing";
        storeSettings();
        if (c.stored)
            writeNumber(productKeyPath, "AlwaysOnTop", c.value);
        else
            deleteValue(productKeyPath, "AlwaysOnTop");
        startClock();
        EXPECT_EQ(c.onTop, clock->alwaysOnTop) << which;
        EXPECT_EQ(c.onTop, isTopmost(clock->handle())) << which;
        EXPECT_EQ(c.onTop ? static_cast<UINT>(MF_CHECKED) : 0u, onTopMark()) << which;
        stopClock();
    }
}

TEST_F(skinReloadTest, aReloadReadingZeroTakesTheWindowOutOfTheTopmostBand) {
    storeSettings();
    startClock();
    ASSERT_TRUE(isTopmost(clock->handle()));
    writeNumber(productKeyPath, "AlwaysOnTop", 0);
    command(194);
    EXPECT_FALSE(clock->alwaysOnTop);
    EXPECT_FALSE(isTopmost(clock->handle())) << "mark and window agree";
    EXPECT_EQ(0u, onTopMark());
    writeNumber(productKeyPath, "AlwaysOnTop", 1);
    command(194);
    EXPECT_TRUE(isTopmost(clock->handle()));
    EXPECT_EQ(static_cast<UINT>(MF_CHECKED), onTopMark());
}

TEST_F(skinReloadTest, refreshReadsTheEventsAndSkinButNeitherMovesTheWindowNorChangesTheBlinkLength) {
    storeSettings({1, 100, 200, 15, "Default"});
    storeEvents({"08:00 a"});
    startClock();
    ASSERT_EQ(1u, clock->eventCount);
    writeNumber(productKeyPath, "TopPos", 5);
    writeNumber(productKeyPath, "LeftPos", 6);
    writeNumber(productKeyPath, "BlinkLength", 99);
    storeEvents({"09:00 b", "10:00 c"});
    writeText(productKeyPath, "SkinName", "Original");
    command(194);
    EXPECT_EQ(200, windowRect().left);
    EXPECT_EQ(100, windowRect().top);
    EXPECT_EQ(15, clock->blinkLength);
    EXPECT_EQ(2u, clock->eventCount);
    EXPECT_EQ(10, clock->eventHours[1]);
    EXPECT_STREQ("c", clock->eventTexts->get(1));
    EXPECT_STREQ("Original", clock->skinName);
    EXPECT_EQ(static_cast<UINT>(MF_CHECKED), GetMenuState(clock->skinMenu->getHandle(), 10004, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_EQ(0u, GetMenuState(clock->skinMenu->getHandle(), 10001, MF_BYCOMMAND) & MF_CHECKED);
}

TEST_F(skinReloadTest, theFaceShowsANewSkinOnlyFromTheNextPaint) {
    storeSettings();
    startClock();
    ShowWindow(clock->handle(), SW_SHOW);
    at(0, 0, 0); // hands straight up and down, away from the pixel looked at
    send(WM_PAINT);
    const int x = 48, y = 44; // inside the round face
    const COLORREF defaultColour = filePixel(skinFile("Default", "Main.bmp"), x, y);
    const COLORREF goldColour = filePixel(skinFile("Gold", "Main.bmp"), x, y);
    ASSERT_NE(defaultColour, goldColour);
    EXPECT_EQ(defaultColour, facePixel(x, y));
    command(10002); // Gold
    EXPECT_EQ(defaultColour, facePixel(x, y)) << "the reload itself does not repaint";
    tick();
    pump();
    EXPECT_EQ(goldColour, facePixel(x, y));
}

TEST_F(skinReloadTest, aBrokenDefaultSkinShowsOneBoxAndTheClockGoesOnWithoutPictures) {
    const std::string blink = folder.file("Skins\\Default\\Blink.bmp");
    const std::string main = folder.file("Skins\\Default\\Main.bmp");
    const std::string goodBlink = readFile(blink), goodMain = readFile(main);
    const struct {
        const char* what;
        const char* file;
        bool remove;
    } breakages[] = {{"Blink.bmp deleted", "Blink", true}, {"Blink.bmp cut to 10 bytes", "Blink", false},
                     {"Main.bmp deleted", "Main", true}};
    for (const auto& b : breakages) {
        writeFile(blink, goodBlink);
        writeFile(main, goodMain);
        const std::string& broken = std::strcmp(b.file, "Blink") == 0 ? blink : main;
        const std::string& good = std::strcmp(b.file, "Blink") == 0 ? goodBlink : goodMain;
        if (b.remove)
            DeleteFileA(broken.c_str());
        else
            writeFile(broken, good.substr(0, 10));
        const size_t boxesBefore = boxes.boxes().size();
        storeSettings({1, 100, 200, 15, "Default"});
        startClock();

        ASSERT_EQ(boxesBefore + 1, boxes.boxes().size()) << b.what;
        expectSkinMissingBox(boxes.boxes().back());
        EXPECT_EQ(nullptr, clock->mainImage) << b.what;
        EXPECT_EQ(nullptr, clock->blinkImage) << b.what;
        EXPECT_STREQ("Default", clock->skinName) << b.what;
        storedValue stored = readValue(productKeyPath, "SkinName");
        EXPECT_EQ(static_cast<DWORD>(REG_SZ), stored.type) << b.what;
        EXPECT_EQ(std::string("Default", 8), stored.data) << b.what;
        tick(); // a paint without pictures
        pump();
        EXPECT_TRUE(IsWindow(clock->handle())) << b.what;

        command(10002); // Gold still loads
        EXPECT_NE(nullptr, clock->mainImage) << b.what;
        EXPECT_NE(nullptr, clock->blinkImage) << b.what;
        EXPECT_STREQ("Gold", clock->skinName) << b.what;
        EXPECT_EQ(boxesBefore + 1, boxes.boxes().size()) << b.what;
        stopClock();
    }
}

TEST_F(skinReloadTest, theStartAppliesPositionAndOnTopBeforeTheSkinFails) {
    storeSettings({1, 40, static_cast<DWORD>(-30), 15, "Default"});
    DeleteFileA(folder.file("Skins\\Default\\Blink.bmp").c_str());
    RECT whileOpen = {};
    bool topmostWhileOpen = false;
    boxes.whileOpen = [&](const recordedBox&) {
        HWND window = clockWindowOfThisThread();
        whileOpen = rectOf(window);
        topmostWhileOpen = isTopmost(window);
    };
    startClock();
    ASSERT_EQ(1u, boxes.boxes().size());
    EXPECT_EQ(-30, whileOpen.left);
    EXPECT_EQ(40, whileOpen.top);
    EXPECT_TRUE(topmostWhileOpen);
}

TEST_F(skinReloadTest, aRefreshWithABrokenDefaultHasReadTheEventsAndOnTopBeforeTheSkin) {
    storeSettings({1, 100, 200, 15, "Default"});
    storeEvents({"08:00 a"});
    startClock();
    ASSERT_NE(nullptr, clock->mainImage);
    ASSERT_TRUE(isTopmost(clock->handle()));

    DeleteFileA(folder.file("Skins\\Default\\Blink.bmp").c_str());
    storeEvents({"09:00 b", "10:00 c"});
    writeNumber(productKeyPath, "AlwaysOnTop", 0);
    unsigned int eventsWhileOpen = 0;
    bool topmostWhileOpen = true;
    boxes.whileOpen = [&](const recordedBox&) {
        eventsWhileOpen = clock->eventCount;
        topmostWhileOpen = isTopmost(clock->handle());
    };
    command(194);

    ASSERT_EQ(1u, boxes.boxes().size());
    expectSkinMissingBox(boxes.boxes()[0]);
    EXPECT_EQ(2u, eventsWhileOpen);
    EXPECT_FALSE(topmostWhileOpen);
    EXPECT_EQ(0u, onTopMark());
    EXPECT_EQ(nullptr, clock->mainImage) << "the old pictures go too";
    EXPECT_EQ(nullptr, clock->blinkImage);
    EXPECT_STREQ("Default", clock->skinName);
}

TEST_F(skinReloadTest, reloadingReplacesTheImagesWithoutLeavingTheOldOnes) {
    storeSettings();
    startClock();
    HBITMAP oldMain = clock->mainImage, oldBlink = clock->blinkImage;
    command(194);
    BITMAP info;
    EXPECT_EQ(0, GetObjectA(oldMain, sizeof info, &info)) << "the replaced main image is deleted";
    EXPECT_EQ(0, GetObjectA(oldBlink, sizeof info, &info)) << "the replaced blink image is deleted";
    ASSERT_NE(0, GetObjectA(clock->mainImage, sizeof info, &info));
    EXPECT_EQ(65, info.bmWidth);
    EXPECT_EQ(65, info.bmHeight);
    EXPECT_GT(info.bmBitsPixel, 1) << "made for the window's device, not a monochrome memory context";
}
