// The reload of configuration and skin: what it reads at start and on Refresh, and what the face shows.
#include "clockFixture.h"

#include "aPopupMenu.h"
#include "aStringList.h"

#include <string>

namespace {
bool isTopmost(HWND window) { return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

// The colour of a 24-bit bottom-up skin file's pixel (x, y), as GetPixel reports it.
COLORREF filePixel(const std::string& bmp, int x, int y) {
    const size_t row = 196, offset = 54 + (64 - y) * row + x * 3;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(bmp.data()) + offset;
    return RGB(p[2], p[1], p[0]);
}
} // namespace

class skinReloadTest : public clockTest {
protected:
    RECT windowRect() {
        RECT r;
        GetWindowRect(clock->handle(), &r);
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
};

TEST_F(skinReloadTest, theStartPlacesTheWindowAndReadsTheBlinkLengthAndTheOnTopMark) {
    storeSettings({5, 40, static_cast<DWORD>(-30), 4, "Default"});
    startClock();
    EXPECT_EQ(-30, windowRect().left);
    EXPECT_EQ(40, windowRect().top);
    EXPECT_EQ(4, clock->blinkLength);
    EXPECT_TRUE(clock->alwaysOnTop);
    EXPECT_TRUE(isTopmost(clock->handle()));
    EXPECT_EQ(static_cast<UINT>(MF_CHECKED), GetMenuState(clock->mainMenu->getHandle(), 197, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_NE(nullptr, clock->mainImage);
    EXPECT_NE(nullptr, clock->blinkImage);
}

TEST_F(skinReloadTest, aMissingOnTopValueReadsAsOnAndZeroLeavesTheTopmostBand) {
    storeSettings();
    deleteValue(productKeyPath, "AlwaysOnTop");
    startClock();
    EXPECT_TRUE(clock->alwaysOnTop);
    EXPECT_TRUE(isTopmost(clock->handle()));
    writeNumber(productKeyPath, "AlwaysOnTop", 0);
    command(194);
    EXPECT_FALSE(clock->alwaysOnTop);
    EXPECT_FALSE(isTopmost(clock->handle())) << "mark and window agree";
    EXPECT_EQ(0u, GetMenuState(clock->mainMenu->getHandle(), 197, MF_BYCOMMAND) & MF_CHECKED);
}

TEST_F(skinReloadTest, refreshReadsTheEventsAndSkinButNeitherMovesTheWindowNorChangesTheBlinkLength) {
    storeSettings({1, 100, 200, 15, "Default"});
    storeEvents({"08:00 a"});
    startClock();
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
    EXPECT_STREQ("c", clock->eventTexts->get(1));
    EXPECT_STREQ("Original", clock->skinName);
}

TEST_F(skinReloadTest, theFaceShowsANewSkinOnlyFromTheNextPaint) {
    storeSettings();
    startClock();
    ShowWindow(clock->handle(), SW_SHOW);
    at(0, 0, 0); // hands straight up and down, away from the pixel looked at
    send(WM_PAINT);
    const int x = 48, y = 44;
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
    storeSettings({1, 100, 200, 15, "Default"});
    storeEvents({"08:00 a"});
    writeFile(folder.file("Skins\\Default\\Blink.bmp"), "BM too short");
    startClock();
    ASSERT_EQ(1u, boxes.boxes().size());
    const recordedBox& box = boxes.boxes()[0];
    EXPECT_EQ("There's no skin files.\nRevert to default skin.", box.text);
    EXPECT_EQ("Error occured", box.caption);
    EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), box.icon);
    EXPECT_EQ(nullptr, box.owner);
    EXPECT_EQ(nullptr, clock->mainImage);
    EXPECT_EQ(nullptr, clock->blinkImage);
    EXPECT_EQ(1u, clock->eventCount) << "the events were read before the skin";
    EXPECT_TRUE(isTopmost(clock->handle()));
    EXPECT_EQ(std::string("Default", 8), readValue(productKeyPath, "SkinName").data);

    command(10004); // Original still loads
    EXPECT_NE(nullptr, clock->mainImage);
    EXPECT_NE(nullptr, clock->blinkImage);
    EXPECT_EQ(1u, boxes.boxes().size());
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
