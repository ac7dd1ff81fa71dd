// The face as painted into the real window: the picture chosen, and the hands where the time says.
#include "clockFixture.h"
#include "gdiObjects.h"

#include <string>
#include <vector>

namespace {
const COLORREF white = 0xFFFFFF;
const COLORREF black = 0x000000;

HBITMAP solidImage(HDC like, COLORREF colour) {
    HBITMAP image = CreateCompatibleBitmap(like, aMainWindow::faceSize, aMainWindow::faceSize);
    HDC memory = CreateCompatibleDC(like);
    HGDIOBJ kept = SelectObject(memory, image);
    HBRUSH brush = CreateSolidBrush(colour);
    RECT all = {0, 0, aMainWindow::faceSize, aMainWindow::faceSize};
    FillRect(memory, &all, brush);
    DeleteObject(brush);
    SelectObject(memory, kept);
    DeleteDC(memory);
    return image;
}

struct point {
    int x, y;
};

std::string text(point p) {
    return "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")";
}

struct handLine {
    point tail, end;
};

bool xMajor(const handLine& line) {
    return abs(line.end.x - line.tail.x) >= abs(line.end.y - line.tail.y);
}

// The pixel one step back from the end toward the tail, along the line's major axis.
point beforeEnd(const handLine& line) {
    const int dx = line.end.x - line.tail.x, dy = line.end.y - line.tail.y;
    if (xMajor(line)) return {line.end.x - (dx > 0 ? 1 : -1), line.end.y};
    return {line.end.x, line.end.y - (dy > 0 ? 1 : -1)};
}
} // namespace

class faceTest : public clockTest {
protected:
    void SetUp() override {
        clockTest::SetUp();
        storeSettings();
        startClock();
        ShowWindow(clock->handle(), SW_SHOW);
        dc = GetDC(clock->handle());
        replaceImages(solidImage(dc, black), nullptr);
    }
    void TearDown() override {
        ReleaseDC(clock->handle(), dc);
        clockTest::TearDown();
    }
    // The window deletes whatever pictures it holds when it goes.
    void replaceImages(HBITMAP main, HBITMAP blink) {
        if (clock->mainImage != nullptr) DeleteObject(clock->mainImage);
        if (clock->blinkImage != nullptr) DeleteObject(clock->blinkImage);
        clock->mainImage = main;
        clock->blinkImage = blink;
    }
    void paintAt(int hour, int minute, int second) {
        at(hour, minute, second);
        send(WM_PAINT);
    }
    // Paints over the window directly, so that a later check cannot see what an earlier paint left.
    void coverWindow(COLORREF colour) {
        HBRUSH brush = CreateSolidBrush(colour);
        RECT all = {0, 0, aMainWindow::faceSize, aMainWindow::faceSize};
        FillRect(dc, &all, brush);
        DeleteObject(brush);
    }
    COLORREF pixel(point p) { return GetPixel(dc, p.x, p.y) & 0xFFFFFF; }
    // p, or a pixel beside it across the line: the line's last steps may fall either way.
    bool whiteNear(point p, const handLine& line) {
        for (int d : {0, -1, 1}) {
            const point q = xMajor(line) ? point{p.x, p.y + d} : point{p.x + d, p.y};
            if (pixel(q) == white) return true;
        }
        return false;
    }
    int whitesBetween(point from, point to) {
        int count = 0;
        for (int y = from.y; y <= to.y; y++)
            for (int x = from.x; x <= to.x; x++) count += pixel({x, y}) == white;
        return count;
    }
    HDC dc = nullptr;
};

struct handCase {
    const char* name;
    int hour, minute, second;
    std::vector<handLine> hands; // hour, minute, second as they must appear, tail to end
    std::vector<point> white;    // further pixels the right hands cover
    std::vector<point> dark;     // pixels the right hands leave alone: past an end, or where a wrong formula draws
};

void PrintTo(const handCase& row, std::ostream* out) { *out << row.name; }

class handGeometryTest : public faceTest, public ::testing::WithParamInterface<handCase> {};

TEST_P(handGeometryTest, theHandsRunFromTheirTailsToTheirEnds) {
    const handCase& row = GetParam();
    paintAt(row.hour, row.minute, row.second);
    for (const handLine& hand : row.hands) {
        SCOPED_TRACE("hand " + text(hand.tail) + " to " + text(hand.end));
        EXPECT_EQ(white, pixel(hand.tail)) << "tail";
        EXPECT_TRUE(whiteNear(beforeEnd(hand), hand)) << "just before the end";
    }
    for (point p : row.white) EXPECT_EQ(white, pixel(p)) << text(p);
    for (point p : row.dark) EXPECT_EQ(black, pixel(p)) << text(p);
}

// With 3.14 and every coordinate cut toward zero. A one-pixel line stops before its end point; the
// two-pixel pen of the hour hand covers its end, and on some sides reaches one pixel past it.
const handLine upright[] = {{{31, 33}, {31, 15}}, {{31, 35}, {31, 11}}, {{31, 37}, {31, 9}}};
const std::vector<point> uprightWhite = {{30, 20}}; // the hour hand is two pixels wide
const std::vector<point> uprightDark = {
    {31, 9},  // the second hand's end
    {31, 38}, // past the second hand's tail
    {30, 13}, // past the hour hand's end
    {30, 34}, // past the hour hand's tail
};

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    faceTest, handGeometryTest,
    ::testing::Values(
        handCase{"noon", 12, 0, 0, {upright[0], upright[1], upright[2]}, uprightWhite, uprightDark},
        handCase{"midnight", 0, 0, 0, {upright[0], upright[1], upright[2]}, uprightWhite, uprightDark},
        // Full pi or rounding would end the hour hand at (47,31) ...
        handCase{"three", 3, 0, 0, {{{29, 31}, {46, 30}}, upright[1], upright[2]},
                 {{46, 30}, {46, 31}}, {{47, 30}, {47, 31}}},
        handCase{"fifteen", 15, 0, 0, {{{29, 31}, {46, 30}}, upright[1], upright[2]},
                 {{46, 30}, {46, 31}}, {{47, 30}, {47, 31}}},
        // ... at six, end it at (31,47) ...
        handCase{"six", 6, 0, 0, {{{30, 29}, {31, 46}}, upright[1], upright[2]},
                 {{30, 46}, {31, 46}}, {{30, 47}, {31, 47}}},
        // ... at nine, start it at (33,31).
        handCase{"nine", 9, 0, 0, {{{32, 30}, {15, 31}}, upright[1], upright[2]},
                 {{15, 30}, {15, 31}}, {{33, 30}, {33, 31}}},
        handCase{"tenPastTen", 10, 10, 30, {{{32, 32}, {17, 21}}, {{27, 33}, {48, 20}}, {{30, 25}, {31, 52}}},
                 {
                     {17, 21}, // the hour hand's end: without the minutes' share it would end at (17,23)
                     {46, 21}, // the minute hand; full pi or rounding would end it at (48,21), through (46,22)
                 },
                 {
                     {46, 22},
                     {33, 32}, // the rounded hour tail
                     {31, 25}, // the rounded second tail
                     {26, 33}, // a minute tail one longer
                     {30, 24}, // a second tail one longer
                     {48, 20}, // the minute hand's end
                     {31, 52}, // the second hand's end
                 }},
        handCase{"lastSecond", 11, 59, 59, {{{31, 32}, {30, 15}}, {{31, 34}, {28, 11}}, {{31, 36}, {28, 9}}},
                 {},
                 {
                     {32, 37}, // the rounded second tail
                     {29, 12}, // the rounded minute and second hands pass here
                     {28, 9},  // the second hand's end
                     {27, 24}, // the hour hand without the minutes' share, toward (22,17)
                 }}),
    [](const ::testing::TestParamInfo<handCase>& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(faceTest, theHourHandIsTwoPixelsWideTheOthersOne) {
    // At 9:15:00 the three hands point three ways; each is cut across where no other hand is.
    paintAt(9, 15, 0);
    EXPECT_EQ(2, whitesBetween({20, 22}, {20, 34})) << "hour";
    EXPECT_EQ(1, whitesBetween({45, 24}, {45, 36})) << "minute";
    EXPECT_EQ(1, whitesBetween({25, 20}, {37, 20})) << "second";
}

TEST_F(faceTest, theBlinkPictureShowsOnEvenTicksOfAnAlarmOnly) {
    const COLORREF mainColour = 0x0000A0, blinkColour = 0xA00000, earlier = 0x00A000;
    replaceImages(solidImage(dc, mainColour), solidImage(dc, blinkColour));
    const struct {
        int alarmActive;
        int blinkTicks;
        COLORREF shown;
    } table[] = {{1, 0, blinkColour}, {1, 1, mainColour}, {1, 2, blinkColour}, {1, 31, mainColour},
                 {0, 0, mainColour},  {0, 2, mainColour}, {0, 1, mainColour}};
    // Away from the hands at 0:00:00, out to the edges of the round window (2..61).
    const point spots[] = {{20, 50}, {2, 32}, {61, 32}, {32, 2}, {32, 61}, {50, 50}};
    for (const auto& row : table) {
        clock->alarmActive = row.alarmActive;
        clock->blinkTicks = row.blinkTicks;
        coverWindow(earlier);
        paintAt(0, 0, 0);
        for (point p : spots)
            EXPECT_EQ(row.shown, pixel(p))
                << "alarm " << row.alarmActive << ", tick " << row.blinkTicks << " at " << text(p);
    }
}

TEST_F(faceTest, withoutPicturesTheHandsAreDrawnAllTheSame) {
    paintAt(0, 0, 0);
    replaceImages(nullptr, nullptr);
    paintAt(3, 0, 0);
    EXPECT_EQ(white, pixel({29, 31})) << "hour tail";
    EXPECT_EQ(white, pixel({40, 30})) << "hour";
    EXPECT_EQ(white, pixel({31, 35})) << "minute tail";
    EXPECT_EQ(white, pixel({31, 37})) << "second tail";
    EXPECT_EQ(white, pixel({31, 10})) << "second";
}

TEST_F(faceTest, paintingLeavesNoGdiObjectBehind) {
    clock->blinkImage = solidImage(dc, 0xA00000);
    clock->alarmActive = 1;
    paintAt(10, 10, 30);
    const int before = gdiObjectCount();
    ASSERT_GT(before, 0);
    for (int i = 0; i < 500; i++) {
        clock->blinkTicks = i; // both pictures in turn
        paintAt(i % 24, i % 60, (i * 7) % 60);
    }
    EXPECT_EQ(before, gdiObjectCount());
}
