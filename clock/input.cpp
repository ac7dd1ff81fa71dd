// Pointer, keyboard, tray and timer input of the clock window.
#include "aMainWindow.h"

#include "../toolkit/aPopupMenu.h"
#include "commands.h"

namespace {
const int keyF1 = 0x70;
const int keyF5 = 0x74;
const int keyO = 0x4F;
const int keyR = 0x52;
const int keyX = 0x58;

// Passes when the Control key is down and also when only its toggle bit is set.
bool controlTest() { return static_cast<unsigned short>(GetKeyState(VK_CONTROL)) != 0; }
} // namespace

void aMainWindow::onButtonDown(int flags, int, int) {
    if (flags == MK_LBUTTON) {
        POINT p;
        GetCursorPos(&p);
        dragX = p.x;
        dragY = p.y;
        SetCapture(hwnd);
    } else if (flags == MK_RBUTTON) {
        openPopupMenu();
    }
}

void aMainWindow::onMouseMove(int flags, int, int) {
    if (flags != MK_LBUTTON) return;
    // The capture is not asked for: the displacement runs from the last stored cursor position.
    POINT p;
    GetCursorPos(&p);
    RECT r;
    GetWindowRect(hwnd, &r);
    SetWindowPos(hwnd, nullptr, r.left + p.x - dragX, r.top + p.y - dragY, 0, 0, SWP_NOSIZE);
    dragX = p.x;
    dragY = p.y;
}

void aMainWindow::onButtonUp(int, int, int) { ReleaseCapture(); }

void aMainWindow::onDoubleClick(int, int, int) { onCommand(cmdHideShow); }

void aMainWindow::openPopupMenu() {
    if (mainMenu == nullptr) return;
    POINT p;
    GetCursorPos(&p);
    TrackPopupMenu(mainMenu->getHandle(), TPM_RIGHTALIGN, p.x, p.y, 0, hwnd, nullptr);
}

void aMainWindow::onKeyDown(int key) {
    int command = 0;
    if (key == keyF5) command = cmdAlarm;
    if (key == keyF1) command = cmdHelp;
    if (key == keyX && controlTest()) command = cmdQuit;
    if (key == keyR && controlTest()) command = cmdRefresh;
    if (key == keyO && controlTest()) command = cmdSettings;
    if (command != 0) PostMessageA(hwnd, WM_COMMAND, command, 0);
}

int aMainWindow::onMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
    // The session may end without the orderly end that saves the settings: save them as it goes.
    if (message == WM_ENDSESSION && wParam != 0) saveSettings();
    if (message != trayMessage) return 0;
    if (!trayIconShown) return 1;
    if (lParam == WM_RBUTTONUP) openPopupMenu();
    if (lParam == WM_LBUTTONDBLCLK) PostMessageA(hwnd, WM_COMMAND, cmdHideShow, 0);
    return 1;
}

void aMainWindow::onTimer(int) {
    PostMessageA(hwnd, WM_PAINT, 0, 0);
    checkAlarms();
    if (alarmActive) {
        blinkTicks += 1;
        if (blinkTicks > 2 * blinkLength) alarmActive = 0;
    }
    watchEditor();
}

void aMainWindow::watchEditor() {
    if (editorProcess.hProcess == nullptr) return;
    DWORD code = 0;
    // A failing query counts as an ended editor, so the watch cannot hang on a dead handle.
    if (GetExitCodeProcess(editorProcess.hProcess, &code) && code == STILL_ACTIVE) return;
    releaseEditor();
    loadEvents();
}

void aMainWindow::releaseEditor() {
    if (editorProcess.hProcess != nullptr) CloseHandle(editorProcess.hProcess);
    if (editorProcess.hThread != nullptr) CloseHandle(editorProcess.hThread);
    editorProcess.hProcess = nullptr;
    editorProcess.hThread = nullptr;
}
