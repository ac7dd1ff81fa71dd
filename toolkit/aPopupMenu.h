#pragma once
#include <windows.h>

// Owns one system popup menu whose items are addressed by command identifier.
class aPopupMenu {
public:
    aPopupMenu();
    aPopupMenu(const aPopupMenu&) = delete;
    aPopupMenu& operator=(const aPopupMenu&) = delete;
    virtual ~aPopupMenu();

    HMENU getHandle() const { return hmenu; }

    BOOL addItem(const char* text, int id, bool isDefault);
    BOOL addSeparator(int id);
    BOOL addCheckItem(const char* text, int id, bool isDefault);
    BOOL setChecked(int id, bool checked);
    BOOL addSubmenu(const char* text, int beforeId, aPopupMenu* submenu);

private:
    HMENU hmenu;
};
