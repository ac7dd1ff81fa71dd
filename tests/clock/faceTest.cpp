// The face as painted into the real window: the picture chosen, and the hands where the time says.
#include "clockFixture.h"
#include "gdiObjects.h"

#include <string>
#include <vector>

namespace {
const COLORREF white = 0xFFFFFF;
const COLORREF black = 0x000000;

HBITMAP solidImage(HDC like, COLORREF colour) {
    HBITMAP image = CreateCompatibleBitmap(like, 65, 65);
    HDC memory = CreateCompatibleDC(like);
    HGDIOBJ kept = SelectObject(memory, image);
    HBRUSH brush = CreateSolidBrush(colour);
    RECT all = {0, 0, 65, 65};
    FillRect(memory, &all, brush);
    DeleteObject(brush);
    SelectObject(memory, kept);
    DeleteDC(memory);
    return image;
}

struct point {
    int x, y;
};

struct handLine {
    point tail, end;
};

// The pixel next to p one step along the line's major axis, toward (sign -1) or away from (+1) its end.
point stepAlong(const handLine& line, point p, int sign) {
    int dx = line.end.x - line.tail.x, dy = line.end.y - line.tail.y;
    if (abs(dx) >= abs(dy)) return {p.x + sign * (dx > 0 ? 1 : -1), p.y};
    return {p.x, p.y + sign * (dy > 0 ? 1 : -1)};
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
    COLORREF pixel(point p) { return GetPixel(dc, p.x, p.y) & 0xFFFFFF; }
    // p, or a pixel beside it across the line, is white: the line's last steps may round either way.
    bool whiteNear(point p, const handLine& line) {
        const bool xMajor = abs(line.end.x - line.tail.x) >= abs(line.end.y - line.tail.y);
        for (int d : {0, -1, 1}) {
            point q = xMajor ? point{p.x, p.y + d} : point{p.x + d, p.y};
            if (pixel(q) == white) return true;
        }
        return false;
    }
    HDC dc = nullptr;
};

struct handCase {
    const char* name;
    int hour, minute, second;
    std::vector<handLine> hands; // lines from tail to end as they must appear
    // Where a wrong formula (the full pi, rounding instead of cutting) would draw; the 2-pixel pen's round
    // cap covers its end point itself.
    std::vector<point> untouched;
};

void PrintTo(const handCase& row, std::ostream* out) { *out << row.name; }

class handGeometryTest : public faceTest, public ::testing::WithParamInterface<handCase> {};

TEST_P(handGeometryTest, theHandsRunFromTheirTailsToTheirEnds) {
    const handCase& row = GetParam();
    paintAt(row.hour, row.minute, row.second);
    for (const handLine& hand : row.hands) {
        SCOPED_TRACE("hand from (" + std::to_string(hand.tail.x) + "," + std::to_string(hand.tail.y) + ") to (" +
                     std::to_string(hand.end.x) + "," + std::to_string(hand.end.y) + ")");
        EXPECT_EQ(white, pixel(hand.tail)) << "tail";
        EXPECT_TRUE(whiteNear(stepAlong(hand, hand.end, -1), hand)) << "just before the end";
    }
    for (point p : row.untouched) EXPECT_EQ(black, pixel(p)) << p.x << "," << p.y;
}

INSTANTIATE_TEST_SUITE_P(
    times, handGeometryTest,
    ::testing::Values(
        handCase{"noon", 12, 0, 0, {{{31, 33}, {31, 15}}, {{31, 35}, {31, 11}}, {{31, 37}, {31, 9}}}, {{31, 7}, {31, 8}, {31, 39}}},
        handCase{"midnight", 0, 0, 0, {{{31, 33}, {31, 15}}, {{31, 35}, {31, 11}}, {{31, 37}, {31, 9}}}, {{31, 7}}},
        handCase{"three", 3, 0, 0, {{{29, 31}, {46, 30}}}, {{47, 31}, {48, 31}}},
        handCase{"fifteen", 15, 0, 0, {{{29, 31}, {46, 30}}}, {{47, 31}, {48, 31}}},
        handCase{"six", 6, 0, 0, {{{30, 29}, {31, 46}}}, {{31, 48}}},
        handCase{"nine", 9, 0, 0, {{{32, 30}, {15, 31}}}, {{13, 31}}},
        handCase{"tenPastTen", 10, 10, 30, {{{32, 32}, {17, 21}}, {{27, 33}, {48, 20}}, {{30, 25}, {31, 52}}}, {{31, 54}}},
        handCase{"lastSecond", 11, 59, 59, {{{31, 32}, {30, 15}}, {{31, 34}, {28, 11}}, {{31, 36}, {28, 9}}}, {{31, 7}}}),
    [](const ::testing::TestParamInfo<handCase>& info) { return std::string(info.param.name); });

TEST_F(faceTest, theBlinkPictureShowsOnEvenTicksOfAnAlarmOnly) {
    const COLORREF mainColour = 0x0000A0, blinkColour = 0xA00000;
    replaceImages(solidImage(dc, mainColour), solidImage(dc, blinkColour));
    const struct {
        int alarmActive;
        int blinkTicks;
        COLORREF shown;
    } table[] = {{1, 0, blinkColour}, {1, 1, mainColour}, {1, 2, blinkColour}, {1, 31, mainColour},
                 {0, 0, mainColour},  {0, 2, mainColour}};
    for (const auto& row : table) {
        clock->alarmActive = row.alarmActive;
        clock->blinkTicks = row.blinkTicks;
        paintAt(0, 0, 0);
        EXPECT_EQ(row.shown, pixel({20, 50})) << "alarm " << row.alarmActive << ", tick " << row.blinkTicks;
    }
}

TEST_F(faceTest, withoutPicturesTheHandsAreDrawnAllTheSame) {
    replaceImages(nullptr, nullptr);
    paintAt(3, 0, 0);
    EXPECT_EQ(white, pixel({30, 31}));
    EXPECT_EQ(white, pixel({44, 30}));
}

TEST_F(faceTest, paintingLeavesNoGdiObjectBehind) {
    paintAt(10, 10, 30);
    const int before = gdiObjectCount();
    ASSERT_GT(before, 0);
    for (int i = 0; i < 500; i++) paintAt(i % 24, i % 60, (i * 7) % 60);
    EXPECT_EQ(before, gdiObjectCount());
}
