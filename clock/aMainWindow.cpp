#include "aMainWindow.h"

#include "commands.h"

#include "../resources/resource.h"
#include "../toolkit/aPopupMenu.h"
#include "../toolkit/aStringList.h"
#include "../toolkit/loadText.h"

#include <cstring>
#include <shellapi.h>

namespace {
// The notification record's layout with a 64-character tip.
const DWORD trayRecordSize = 88;
const UINT trayIconId = 0;
const char* const programFile = "Bellwick.exe";

NOTIFYICONDATAA trayRecord(HWND window) {
    NOTIFYICONDATAA data;
    memset(&data, 0, sizeof data);
    data.cbSize = trayRecordSize;
    data.hWnd = window;
    data.uID = trayIconId;
    return data;
}
} // namespace

aMainWindow::aMainWindow(HINSTANCE instance, const char* title) : aWindow(nullptr, instance, title, WS_POPUP) {
    setSize(faceSize, faceSize);

    // Every field a handler reads is defined before the timer and the tray icon exist: the modal boxes of
    // the construction dispatch their messages.
    hinstance = instance;
    alarmActive = 0;
    blinkTicks = 0;
    blinkLength = 15;
    mainMenu = nullptr;
    skinMenu = nullptr;
    skinItemEnd = cmdSkinFirst;
    eventCount = 0;
    eventHours = nullptr;
    eventMinutes = nullptr;
    eventTexts = nullptr;
    memset(&editorProcess, 0, sizeof editorProcess);
    mainImage = nullptr;
    blinkImage = nullptr;
    mainBitmap = nullptr;
    blinkBitmap = nullptr;
    dragX = 0;
    dragY = 0;
    hidden = 0;
    leftPos = 0;
    topPos = 0;
    alwaysOnTop = false;
    trayIconShown = false;
    skinName[0] = '\0';
    aboutText[0] = '\0';

    // The window owns the region from here on.
    SetWindowRgn(hwnd, CreateEllipticRgn(2, 2, 63, 63), TRUE);

    setTimer(tickTimer, tickMilliseconds);

    NOTIFYICONDATAA tray = trayRecord(hwnd);
    tray.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    tray.uCallbackMessage = trayMessage;
    tray.hIcon = ExtractIconA(hinstance, programFile, 0);
    strncpy(tray.szTip, loadText(textProductName), 63);
    Shell_NotifyIconA(NIM_ADD, &tray);
    trayIconShown = true;

    SetClassLongA(hwnd, GCL_HICON, static_cast<LONG>(reinterpret_cast<LONG_PTR>(ExtractIconA(hinstance, programFile, 0))));

    strncpy(aboutText, loadText(textAbout), sizeof aboutText - 1);
    aboutText[sizeof aboutText - 1] = '\0';
    hidden = 0;

    eventTexts = new aStringList();
    eventHours = new int[maxEvents];
    eventMinutes = new int[maxEvents];

    firstRunSetup();
    buildMenus();
    reloadConfig(true);
    markCurrentSkin();
}

void aMainWindow::removeTrayIcon() {
    if (!trayIconShown) return;
    NOTIFYICONDATAA tray = trayRecord(hwnd);
    Shell_NotifyIconA(NIM_DELETE, &tray);
    trayIconShown = false;
}

void aMainWindow::releaseWindowResources() {
    // Only what is still held is released, so the destroy handler and the destructor may both run it.
    removeTrayIcon();
    delete skinMenu;
    delete mainMenu;
    skinMenu = nullptr;
    mainMenu = nullptr;
    if (mainImage != nullptr) DeleteObject(mainImage);
    if (blinkImage != nullptr) DeleteObject(blinkImage);
    mainImage = nullptr;
    blinkImage = nullptr;
}

void aMainWindow::onDestroy() { releaseWindowResources(); }

aMainWindow::~aMainWindow() {
    releaseWindowResources();
    delete[] eventHours;
    delete[] eventMinutes;
    delete eventTexts;
    eventHours = nullptr;
    eventMinutes = nullptr;
    eventTexts = nullptr;
    releaseEditor();
    saveSettings();
}
