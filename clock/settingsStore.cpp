// The settings kept in the registry: the first run's defaults and the values saved at the end.
#include "aMainWindow.h"

#include "../resources/resource.h"
#include "../toolkit/loadText.h"
#include "registryKey.h"

#include <cstring>
#include <shellapi.h>

namespace {
const DWORD firstRunLeft = 64;
const DWORD firstRunTop = 0;
const DWORD firstRunBlinkLength = 15;
const char* const helpPage = "Help\\readme.html";
} // namespace

void aMainWindow::firstRunSetup() {
    // A start is a first run exactly when the Events key cannot be opened.
    if (registryKey::open(HKEY_CURRENT_USER, eventsKeyPath).isOpen()) return;

    registryKey maker = registryKey::create(HKEY_CURRENT_USER, makerKeyPath);
    registryKey product = registryKey::create(maker.get(), "Bellwick");
    registryKey events = registryKey::create(product.get(), "Events");

    events.writeNumber("Count", 1);
    product.writeNumber("AlwaysOnTop", 1);
    product.writeText("SkinName", "Default");
    topPos = firstRunTop;
    leftPos = firstRunLeft;
    product.writeNumber("TopPos", firstRunTop);
    product.writeNumber("LeftPos", firstRunLeft);
    blinkLength = firstRunBlinkLength;
    product.writeNumber("BlinkLength", firstRunBlinkLength);
    events.writeText("Event0", "12:00 Test");

    events.close();
    product.close();
    maker.close();

    // loadText has one buffer: the caption is copied before the text is loaded.
    char caption[256];
    strcpy(caption, loadText(textProductName));
    MessageBoxA(hwnd, loadText(textFirstRun), caption, MB_ICONINFORMATION | MB_OK);

    ShellExecuteA(hwnd, "open", helpPage, nullptr, nullptr, SW_SHOWDEFAULT);
}

void aMainWindow::saveSettings() {
    // The product key is never created here: a key the uninstaller removed stays removed.
    registryKey product = registryKey::open(HKEY_CURRENT_USER, productKeyPath);
    if (!product.isOpen()) return;
    product.writeNumber("AlwaysOnTop", alwaysOnTop ? 1 : 0);
    getPosition(&leftPos, &topPos);
    product.writeNumber("TopPos", static_cast<DWORD>(topPos));
    product.writeNumber("LeftPos", static_cast<DWORD>(leftPos));
    product.writeNumber("BlinkLength", static_cast<DWORD>(blinkLength));
}
