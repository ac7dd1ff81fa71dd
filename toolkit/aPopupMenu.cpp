#include "aPopupMenu.h"

#include <cstring>

namespace {
// The record's form without its trailing item-bitmap member.
const UINT menuItemInfoSize = 44;

MENUITEMINFOA emptyRecord() {
    MENUITEMINFOA item;
    memset(&item, 0, sizeof item);
    item.cbSize = menuItemInfoSize;
    return item;
}

void setText(MENUITEMINFOA& item, const char* text) {
    item.dwTypeData = const_cast<char*>(text);
    item.cch = static_cast<UINT>(strlen(text));
}
} // namespace

aPopupMenu::aPopupMenu() { hmenu = CreatePopupMenu(); }

aPopupMenu::~aPopupMenu() { DestroyMenu(hmenu); }

BOOL aPopupMenu::addItem(const char* text, int id, bool isDefault) {
    MENUITEMINFOA item = emptyRecord();
    item.fMask = MIIM_TYPE | MIIM_ID | MIIM_STATE;
    item.fType = MFT_STRING;
    item.fState = isDefault ? MFS_DEFAULT : 0;
    item.wID = id;
    setText(item, text);
    return InsertMenuItemA(hmenu, id, FALSE, &item);
}

BOOL aPopupMenu::addSeparator(int id) {
    MENUITEMINFOA item = emptyRecord();
    item.fMask = MIIM_TYPE | MIIM_ID;
    item.fType = MFT_SEPARATOR;
    item.wID = id;
    return InsertMenuItemA(hmenu, id, FALSE, &item);
}

BOOL aPopupMenu::addCheckItem(const char* text, int id, bool isDefault) {
    MENUITEMINFOA item = emptyRecord();
    item.fMask = MIIM_TYPE | MIIM_CHECKMARKS | MIIM_ID | MIIM_STATE;
    item.fType = MFT_STRING;
    item.fState = isDefault ? MFS_DEFAULT : MFS_CHECKED;
    item.wID = id;
    setText(item, text);
    return InsertMenuItemA(hmenu, id, FALSE, &item);
}

BOOL aPopupMenu::setChecked(int id, bool checked) {
    // The whole state is replaced: a default or disabled mark of the item goes with it.
    MENUITEMINFOA item = emptyRecord();
    item.fMask = MIIM_CHECKMARKS | MIIM_ID | MIIM_STATE;
    item.fState = checked ? MFS_CHECKED : 0;
    item.wID = id;
    return SetMenuItemInfoA(hmenu, id, FALSE, &item);
}

BOOL aPopupMenu::addSubmenu(const char* text, int beforeId, aPopupMenu* submenu) {
    MENUITEMINFOA item = emptyRecord();
    item.fMask = MIIM_TYPE | MIIM_SUBMENU | MIIM_STATE;
    item.fType = MFT_STRING;
    item.hSubMenu = submenu->hmenu;
    setText(item, text);
    return InsertMenuItemA(hmenu, beforeId, FALSE, &item);
}
