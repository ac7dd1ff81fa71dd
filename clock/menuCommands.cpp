// The popup menu, its Skin submenu and every command of the clock.
#include "aMainWindow.h"

#include "../resources/resource.h"
#include "../toolkit/aPopupMenu.h"
#include "../toolkit/loadText.h"
#include "commands.h"
#include "registryKey.h"

#include <cstring>
#include <io.h>
#include <shellapi.h>

namespace {
const unsigned directoryAttribute = 0x10;
const int menuTextSize = 1024;
const char* const helpPage = "Help\\readme.html";
const char* const editorProgram = "Plannery.exe";

bool isSkinFolder(const _finddata_t& entry) {
    return (entry.attrib & directoryAttribute) != 0 && strcmp(entry.name, ".") != 0 && strcmp(entry.name, "..") != 0;
}
} // namespace

void aMainWindow::buildMenus() {
    skinItemEnd = cmdSkinFirst;
    skinMenu = new aPopupMenu();
    _finddata_t entry;
    intptr_t search = _findfirst("Skins\\*.*", &entry);
    if (search != -1) {
        // Listing order, unsorted; plain files are skipped.
        do {
            if (!isSkinFolder(entry)) continue;
            skinMenu->addCheckItem(entry.name, skinItemEnd, false);
            skinItemEnd += 1;
        } while (_findnext(search, &entry) == 0);
        _findclose(search);
    }

    mainMenu = new aPopupMenu();
    mainMenu->addItem(loadText(textMenuHideShow), cmdHideShow, true);
    mainMenu->addSeparator(separatorAfterHideShow);
    mainMenu->addItem(loadText(textMenuAlarm), cmdAlarm, false);
    mainMenu->addItem(loadText(textMenuSettings), cmdSettings, false);
    mainMenu->addItem(loadText(textMenuRefresh), cmdRefresh, false);
    mainMenu->addCheckItem(loadText(textMenuAlwaysOnTop), cmdAlwaysOnTop, false);
    mainMenu->addSubmenu(loadText(textMenuSkin), skinItemReference, skinMenu);
    mainMenu->addSeparator(separatorAfterSkin);
    mainMenu->addItem(loadText(textMenuHelp), cmdHelp, false);
    mainMenu->addItem(loadText(textMenuAbout), cmdAbout, false);
    mainMenu->addSeparator(separatorBeforeQuit);
    mainMenu->addItem(loadText(textMenuQuit), cmdQuit, false);
}

void aMainWindow::markCurrentSkin() {
    if (skinMenu == nullptr) return;
    for (int id = cmdSkinFirst; id < skinItemEnd; id++) {
        char text[menuTextSize];
        text[0] = '\0';
        GetMenuStringA(skinMenu->getHandle(), id, text, menuTextSize, MF_BYCOMMAND);
        text[menuTextSize - 1] = '\0';
        skinMenu->setChecked(id, strcmp(text, skinName) == 0);
    }
}

void aMainWindow::setTopmost(bool topmost) {
    SetWindowPos(hwnd, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

void aMainWindow::onCommand(int id) {
    if (id >= cmdSkinFirst) {
        // Only the menu's own skin items name a skin.
        if (id < skinItemEnd) chooseSkin(id);
        return;
    }
    switch (id) {
    case cmdHideShow:
        ShowWindow(hwnd, hidden ? SW_SHOW : SW_HIDE);
        hidden = hidden ? 0 : 1;
        break;
    case cmdAlarm:
        alarmActive = 1;
        blinkTicks = 0;
        UpdateWindow(hwnd);
        break;
    case cmdAbout:
        MessageBoxA(hwnd, aboutText, loadText(textAboutCaption), MB_OK | MB_ICONINFORMATION);
        break;
    case cmdRefresh:
        reloadConfig(false);
        markCurrentSkin();
        break;
    case cmdHelp:
        ShellExecuteA(hwnd, "open", helpPage, nullptr, nullptr, SW_SHOWDEFAULT);
        break;
    case cmdSettings:
        startEditor();
        break;
    case cmdAlwaysOnTop:
        // Stored only when the window goes.
        alwaysOnTop = !alwaysOnTop;
        if (mainMenu != nullptr) mainMenu->setChecked(cmdAlwaysOnTop, alwaysOnTop);
        setTopmost(alwaysOnTop);
        break;
    case cmdQuit:
        PostMessageA(hwnd, WM_QUIT, 0, 0);
        break;
    default:
        DefWindowProcA(hwnd, WM_COMMAND, static_cast<WPARAM>(id), 0);
        break;
    }
}

void aMainWindow::startEditor() {
    SECURITY_ATTRIBUTES attributes;
    attributes.nLength = sizeof attributes; // 12
    attributes.lpSecurityDescriptor = nullptr;
    attributes.bInheritHandle = TRUE;
    STARTUPINFOA startup;
    memset(&startup, 0, sizeof startup);
    startup.cb = sizeof startup; // 68

    // A second editor replaces the watched one; the handles of the first are closed.
    releaseEditor();
    if (!CreateProcessA(editorProgram, nullptr, &attributes, &attributes, TRUE, NORMAL_PRIORITY_CLASS, nullptr,
                        nullptr, &startup, &editorProcess))
        memset(&editorProcess, 0, sizeof editorProcess);
}

void aMainWindow::chooseSkin(int id) {
    char name[menuTextSize];
    name[0] = '\0';
    if (skinMenu != nullptr) GetMenuStringA(skinMenu->getHandle(), id, name, menuTextSize, MF_BYCOMMAND);
    name[menuTextSize - 1] = '\0';
    {
        registryKey product = registryKey::open(HKEY_CURRENT_USER, productKeyPath);
        product.writeText("SkinName", name);
    }
    reloadConfig(false);
    markCurrentSkin();
}
