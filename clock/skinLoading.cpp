// The reload of configuration and skin, and the recovery when a skin cannot be loaded.
#include "aMainWindow.h"

#include "../resources/resource.h"
#include "../toolkit/aBitmap.h"
#include "../toolkit/aPopupMenu.h"
#include "../toolkit/loadText.h"
#include "commands.h"
#include "registryKey.h"

#include <cstdio>
#include <cstring>
#include <shellapi.h>

namespace {
const DWORD skinNameSize = 256;
const size_t skinPathSize = 256;
const char* const defaultSkin = "Default";

// False when "Skins\<name>\<file>" does not fit the path buffer.
bool skinPath(char* path, const char* name, const char* file) {
    int written = snprintf(path, skinPathSize, "Skins\\%s\\%s", name, file);
    return written > 0 && static_cast<size_t>(written) < skinPathSize;
}
} // namespace

void aMainWindow::reloadConfig(bool withPosition) {
    loadEvents();
    registryKey product = registryKey::open(HKEY_CURRENT_USER, productKeyPath);

    // A missing value reads as the first run's 1; a zero also leaves the topmost band, so mark and window agree.
    DWORD onTop = 1;
    if (!product.readNumber("AlwaysOnTop", &onTop)) onTop = 1;
    alwaysOnTop = onTop != 0;
    setTopmost(alwaysOnTop);
    if (mainMenu != nullptr) mainMenu->setChecked(cmdAlwaysOnTop, alwaysOnTop);

    if (withPosition) {
        DWORD number;
        if (product.readNumber("TopPos", &number)) topPos = static_cast<int>(number);
        if (product.readNumber("LeftPos", &number)) leftPos = static_cast<int>(number);
        if (product.readNumber("BlinkLength", &number)) blinkLength = static_cast<int>(number);
        setPosition(leftPos, topPos);
    }

    // A name that is missing, unreadable or too long counts as a skin that cannot be loaded.
    char name[skinNameSize];
    bool nameRead = product.readText("SkinName", name, skinNameSize);
    strcpy(skinName, name);
    product.close();

    if (!nameRead || !loadSkinImages(name)) recoverFromMissingSkin();
}

bool aMainWindow::loadSkinImages(const char* name) {
    char mainPath[skinPathSize];
    char blinkPath[skinPathSize];
    if (!skinPath(mainPath, name, "Main.bmp") || !skinPath(blinkPath, name, "Blink.bmp")) return false;
    try {
        mainBitmap = new aBitmap(mainPath);
        blinkBitmap = new aBitmap(blinkPath);
    } catch (int) {
        delete mainBitmap;
        mainBitmap = nullptr;
        blinkBitmap = nullptr;
        return false;
    }

    HDC dc = GetDC(hwnd);
    if (mainImage != nullptr) DeleteObject(mainImage);
    mainImage = mainBitmap->createBitmap(dc);
    if (blinkImage != nullptr) DeleteObject(blinkImage);
    blinkImage = blinkBitmap->createBitmap(dc);
    ReleaseDC(hwnd, dc);

    delete mainBitmap;
    delete blinkBitmap;
    mainBitmap = nullptr;
    blinkBitmap = nullptr;
    return true;
}

void aMainWindow::recoverFromMissingSkin() {
    const bool defaultFailed = strcmp(skinName, defaultSkin) == 0;
    bool defaultStored;
    {
        registryKey maker = registryKey::create(HKEY_CURRENT_USER, makerKeyPath);
        registryKey product = registryKey::create(maker.get(), "Bellwick");
        defaultStored = product.writeText("SkinName", defaultSkin);

        // loadText has one buffer: the text is copied before the caption is loaded.
        char text[1024];
        strcpy(text, loadText(textSkinMissing));
        MessageBoxA(nullptr, text, loadText(textErrorCaption), MB_OK | MB_ICONERROR);
    }

    // A restart that cannot find Default stored, or a broken Default, would only come back here: the
    // clock goes on with Default loaded in place, or without pictures, so another skin can still be chosen.
    if (defaultFailed || !defaultStored) {
        if (!defaultFailed && loadSkinImages(defaultSkin)) {
            strcpy(skinName, defaultSkin);
            return;
        }
        if (mainImage != nullptr) DeleteObject(mainImage);
        if (blinkImage != nullptr) DeleteObject(blinkImage);
        mainImage = nullptr;
        blinkImage = nullptr;
        return;
    }

    char program[1024];
    program[0] = '\0';
    GetModuleFileNameA(GetModuleHandleA("Bellwick.exe"), program, sizeof program);
    ShellExecuteA(hwnd, "open", program, nullptr, nullptr, SW_SHOWDEFAULT);
    // The process ends at once and saves nothing; its tray icon must not linger.
    removeTrayIcon();
    ExitProcess(1);
}
