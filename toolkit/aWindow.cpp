#include "aWindow.h"

#include <cstdio>
#include <cstring>

int classCounter = 0;
HWND handleTable[maxToolkitWindows];
aWindow* objectTable[maxToolkitWindows];

namespace {
const UINT classStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS; // 0x000B
const UINT sizeOnlyFlags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;   // 0x0216
const UINT moveOnlyFlags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;   // 0x0215

int unsignedLow(LPARAM value) { return LOWORD(value); }
int unsignedHigh(LPARAM value) { return HIWORD(value); }
int signedLow(DWORD_PTR value) { return static_cast<short>(LOWORD(value)); }
int signedHigh(DWORD_PTR value) { return static_cast<short>(HIWORD(value)); }
} // namespace

aWindow::aWindow(aWindow* parent, HINSTANCE instance, const char* title, DWORD style) {
    this->parent = parent;
    this->instance = instance;
    prevActive = nullptr;
    HWND parentWindow = parent != nullptr ? parent->hwnd : nullptr;

    this->title = new char[strlen(title) + 1];
    strcpy(this->title, title);

    classCounter += 1;
    sprintf(className, "aWinClass%x", classCounter);

    WNDCLASSA windowClass = {};
    windowClass.style = classStyle;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);

    isMain = 0;
    posX = 0;
    posY = 0;
    tabList = new HWND[maxTabStops];
    tabCount = 0;

    hwnd = CreateWindowExA(WS_EX_CONTROLPARENT, className, this->title, style, 0, 0, CW_USEDEFAULT, CW_USEDEFAULT,
                           parentWindow, nullptr, instance, nullptr);

    // Entered only now: the messages of the creation itself reach the default window procedure.
    handleTable[classCounter - 1] = hwnd;
    objectTable[classCounter - 1] = this;
}

aWindow::~aWindow() {
    // In here the object is an aWindow again: WM_DESTROY below reaches the base's empty onDestroy.
    if (tabList != nullptr) delete[] tabList;
    if (title != nullptr) delete[] title;
    tabList = nullptr;
    title = nullptr;
    DestroyWindow(hwnd);
}

void aWindow::show(int command) {
    ShowWindow(hwnd, command);
    UpdateWindow(hwnd);
    RECT r;
    GetWindowRect(hwnd, &r);
    PostMessageA(hwnd, WM_MOVE, 0, static_cast<LPARAM>(r.left + r.top * 65536));
}

void aWindow::setMain() { isMain = 1; }

UINT_PTR aWindow::setTimer(int id, int milliseconds) { return SetTimer(hwnd, id, milliseconds, nullptr); }

void aWindow::setSize(int width, int height) { SetWindowPos(hwnd, nullptr, 0, 0, width, height, sizeOnlyFlags); }

void aWindow::setPosition(int x, int y) {
    SetWindowPos(hwnd, nullptr, x, y, 0, 0, moveOnlyFlags);
    posX = x;
    posY = y;
}

void aWindow::getPosition(int* x, int* y) {
    RECT r;
    GetWindowRect(hwnd, &r);
    *x = r.left;
    *y = r.top;
}

void aWindow::showModal() {
    prevActive = GetActiveWindow();
    EnableWindow(prevActive, FALSE);
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
    RegisterHotKey(hwnd, hotKeyTab, 0, VK_TAB);
    RegisterHotKey(hwnd, hotKeyEnter, 0, VK_RETURN);
    RegisterHotKey(hwnd, hotKeyEscape, 0, VK_ESCAPE);
}

void aWindow::addTabStop(HWND window) {
    tabList[tabCount] = window;
    tabCount += 1;
}

void aWindow::cycleFocus() {
    HWND focused = GetFocus();
    for (int i = 0; i < tabCount; i++) {
        if (tabList[i] == focused) {
            HWND next = i + 1 < tabCount ? tabList[i + 1] : tabList[0];
            SetFocus(next);
            onFocusCycle(next);
            return;
        }
    }
    if (tabCount > 0) SetFocus(GetWindow(focused, GW_HWNDNEXT));
}

void aWindow::closeWindow() {
    // WM_CLOSE never destroys a toolkit window: the main one ends the loop, others leave the modal mode and hide.
    if (isMain) {
        PostMessageA(hwnd, WM_QUIT, 0, 0);
        return;
    }
    EnableWindow(prevActive, TRUE);
    ShowWindow(hwnd, SW_HIDE);
    SetActiveWindow(prevActive);
    UnregisterHotKey(hwnd, hotKeyTab);
    UnregisterHotKey(hwnd, hotKeyEnter);
    UnregisterHotKey(hwnd, hotKeyEscape);
}

LRESULT dispatch(aWindow* window, HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    const int flags = static_cast<int>(wParam);
    switch (message) {
    case WM_DESTROY:
        window->onDestroy();
        return 0;
    case WM_PAINT: {
        HDC dc = GetDC(window->hwnd);
        window->onPaint(dc);
        ReleaseDC(window->hwnd, dc);
        return DefWindowProcA(handle, message, wParam, lParam); // validates the update region
    }
    case WM_CLOSE:
        window->closeWindow();
        return 0;
    case WM_SHOWWINDOW:
        if (wParam == 1) window->onShow();
        return 0;
    case WM_KEYDOWN:
        window->onKeyDown(static_cast<int>(wParam));
        return DefWindowProcA(handle, message, wParam, lParam);
    case WM_INITDIALOG:
        return 0;
    case WM_COMMAND:
        window->onCommand(LOWORD(wParam));
        window->onControlCommand(LOWORD(wParam), HIWORD(wParam), lParam);
        return 0;
    case WM_TIMER:
        window->onTimer(static_cast<int>(wParam));
        return 0;
    case WM_MOUSEMOVE:
        window->onMouseMove(flags, unsignedLow(lParam), unsignedHigh(lParam));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        window->onButtonDown(flags, unsignedLow(lParam), unsignedHigh(lParam));
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        window->onButtonUp(flags, unsignedLow(lParam), unsignedHigh(lParam));
        return 0;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
        window->onDoubleClick(flags, unsignedLow(lParam), unsignedHigh(lParam));
        return 0;
    case WM_MOUSEWHEEL:
        window->onMouseWheel(signedHigh(wParam), signedLow(lParam), signedHigh(lParam));
        return 0;
    case WM_HOTKEY:
        if (wParam == hotKeyTab) window->cycleFocus();
        if (wParam == hotKeyEnter) PostMessageA(window->hwnd, WM_KEYDOWN, VK_RETURN, 0);
        if (wParam == hotKeyEscape) PostMessageA(window->hwnd, WM_KEYDOWN, VK_ESCAPE, 0);
        return 0;
    default:
        if (window->onMessage(window->hwnd, message, wParam, lParam) != 0) return 0;
        return DefWindowProcA(handle, message, wParam, lParam);
    }
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    for (int k = 0; k < classCounter; k++) {
        if (handleTable[k] == window) {
            LRESULT result = dispatch(objectTable[k], window, message, wParam, lParam);
            // A destroyed window's entry is cleared, so that a handle the system hands out again never
            // reaches an object that is gone.
            if (message == WM_NCDESTROY) {
                handleTable[k] = nullptr;
                objectTable[k] = nullptr;
            }
            return result;
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
