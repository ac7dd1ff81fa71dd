// The face: the skin's picture copied in one block, then the three hands drawn over it.
#include "aMainWindow.h"

#include "clockTime.h"

#include <cmath>

namespace {
// The hands' angles use 3.14, not the full value of pi.
const double handPi = 3.14;
const int centre = 31;
const COLORREF handColour = 0xFFFFFF;

struct hand {
    double angle;
    int length;
    int tail;
};

void drawHand(HDC dc, const hand& h) {
    const double s = sin(h.angle);
    const double c = cos(h.angle);
    // Each coordinate is cut toward zero.
    const int endX = static_cast<int>(centre + h.length * s);
    const int endY = static_cast<int>(centre - h.length * c);
    const int tailX = static_cast<int>(centre - h.tail * s);
    const int tailY = static_cast<int>(centre + h.tail * c);
    MoveToEx(dc, tailX, tailY, nullptr);
    LineTo(dc, endX, endY);
}
} // namespace

void aMainWindow::onPaint(HDC dc) {
    HPEN hourPen = CreatePen(PS_SOLID, 2, handColour);
    HPEN thinPen = CreatePen(PS_SOLID, 1, handColour);
    HDC memory = CreateCompatibleDC(dc);

    HBITMAP image = alarmActive != 0 && blinkTicks % 2 == 0 ? blinkImage : mainImage;
    HGDIOBJ keptBitmap = SelectObject(memory, image);
    BitBlt(dc, 0, 0, faceSize, faceSize, memory, 0, 0, SRCCOPY);

    struct tm now = localNow();
    const hand hourHand = {handPi * (now.tm_hour % 12) / 6.0 + handPi * now.tm_min / 360.0, 16, 2};
    const hand minuteHand = {handPi * now.tm_min / 30.0, 20, 4};
    const hand secondHand = {handPi * now.tm_sec / 30.0, 22, 6};

    HGDIOBJ keptPen = SelectObject(dc, hourPen);
    drawHand(dc, hourHand);
    SelectObject(dc, thinPen);
    drawHand(dc, minuteHand);
    drawHand(dc, secondHand);

    SelectObject(dc, keptPen);
    DeleteObject(hourPen);
    DeleteObject(thinPen);
    if (keptBitmap != nullptr) SelectObject(memory, keptBitmap);
    DeleteDC(memory);
}
