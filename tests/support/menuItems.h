#pragma once
// One menu item as the system holds it, read back by position.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

struct itemView {
    UINT id;
    UINT type;
    UINT state;
    HMENU submenu;
    std::string text;
};

inline itemView itemAt(HMENU menu, int position) {
    char text[256] = "";
    MENUITEMINFOA info;
    memset(&info, 0, sizeof info);
    info.cbSize = 44;
    info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = sizeof text;
    EXPECT_TRUE(GetMenuItemInfoA(menu, position, TRUE, &info)) << "position " << position;
    return {info.wID, info.fType, info.fState, info.hSubMenu, text};
}
