#include "floorFace.h"

namespace {
const char* const floorClass = "BellwickFloorFace";
const int faceSize = 65;

struct floorResources {
    HBITMAP face = nullptr;
    HDC memory = nullptr;
    HGDIOBJ keptBitmap = nullptr;
    HPEN thick = nullptr;
    HPEN thin = nullptr;
};

void paint(HWND window, const floorResources& r) {
    HDC dc = GetDC(window);
    BitBlt(dc, 0, 0, faceSize, faceSize, r.memory, 0, 0, SRCCOPY);
    HGDIOBJ keptPen = SelectObject(dc, r.thick);
    MoveToEx(dc, 31, 33, nullptr);
    LineTo(dc, 31, 15);
    SelectObject(dc, r.thin);
    MoveToEx(dc, 27, 33, nullptr);
    LineTo(dc, 48, 20);
    MoveToEx(dc, 30, 25, nullptr);
    LineTo(dc, 31, 52);
    SelectObject(dc, keptPen);
    ReleaseDC(window, dc);
}

LRESULT CALLBACK floorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* r = reinterpret_cast<floorResources*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
    case WM_TIMER:
        PostMessageA(window, WM_PAINT, 0, 0);
        return 0;
    case WM_PAINT:
        if (r != nullptr) paint(window, *r);
        break; // the default procedure validates the update region
    case WM_CLOSE:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
} // namespace

HWND createFloorWindow(HINSTANCE instance, const char* bmpPath, int x, int y) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = floorProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = floorClass;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    RegisterClassA(&windowClass); // fails harmlessly when a second window registers it again

    auto* r = new floorResources;
    r->face = static_cast<HBITMAP>(LoadImageA(nullptr, bmpPath, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    if (r->face == nullptr) {
        delete r;
        return nullptr;
    }
    HWND window = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, floorClass, "Floor", WS_POPUP, x, y,
                                  faceSize, faceSize, nullptr, nullptr, instance, nullptr);
    HDC dc = GetDC(window);
    r->memory = CreateCompatibleDC(dc);
    ReleaseDC(window, dc);
    r->keptBitmap = SelectObject(r->memory, r->face);
    r->thick = CreatePen(PS_SOLID, 2, 0xFFFFFF);
    r->thin = CreatePen(PS_SOLID, 1, 0xFFFFFF);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(r));
    // Round like the clock, so that both paints are clipped alike.
    SetWindowRgn(window, CreateEllipticRgn(2, 2, 63, 63), TRUE);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    UpdateWindow(window);
    return window;
}

void destroyFloorWindow(HWND window) {
    auto* r = reinterpret_cast<floorResources*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    DestroyWindow(window);
    if (r == nullptr) return;
    SelectObject(r->memory, r->keptBitmap);
    DeleteDC(r->memory);
    DeleteObject(r->face);
    DeleteObject(r->thick);
    DeleteObject(r->thin);
    delete r;
}
