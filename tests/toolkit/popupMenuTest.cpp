// The popup menu: items inserted by command, their types and states read back from the system menu.
#include "aPopupMenu.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {
struct itemView {
    UINT id;
    UINT type;
    UINT state;
    HMENU submenu;
    std::string text;
};

itemView itemAt(HMENU menu, int position) {
    char text[256] = "";
    MENUITEMINFOA info;
    memset(&info, 0, sizeof info);
    info.cbSize = 44;
    info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = sizeof text;
    GetMenuItemInfoA(menu, position, TRUE, &info);
    return {info.wID, info.fType, info.fState, info.hSubMenu, text};
}
} // namespace

TEST(popupMenuTest, itemsAppearInTheOrderOfTheirCallsWithTheirIdsAndTypes) {
    aPopupMenu menu;
    menu.addItem("Hide/Show", 180, true);
    menu.addSeparator(181);
    menu.addItem("Alarm\tF5", 190, false);
    ASSERT_EQ(3, GetMenuItemCount(menu.getHandle()));
    itemView first = itemAt(menu.getHandle(), 0), second = itemAt(menu.getHandle(), 1), third = itemAt(menu.getHandle(), 2);
    EXPECT_EQ(180u, first.id);
    EXPECT_EQ("Hide/Show", first.text);
    EXPECT_EQ(static_cast<UINT>(MFS_DEFAULT), first.state & MFS_DEFAULT);
    EXPECT_EQ(181u, second.id);
    EXPECT_EQ(static_cast<UINT>(MFT_SEPARATOR), second.type & MFT_SEPARATOR);
    EXPECT_EQ(190u, third.id);
    EXPECT_EQ("Alarm\tF5", third.text);
    EXPECT_EQ(0u, third.state & (MFS_DEFAULT | MFS_CHECKED));
}

TEST(popupMenuTest, aCheckItemStartsCheckedAndSetCheckedTogglesIt) {
    aPopupMenu menu;
    menu.addCheckItem("Always on top", 197, false);
    EXPECT_EQ(static_cast<UINT>(MF_CHECKED), GetMenuState(menu.getHandle(), 197, MF_BYCOMMAND) & MF_CHECKED);
    menu.setChecked(197, false);
    EXPECT_EQ(0u, GetMenuState(menu.getHandle(), 197, MF_BYCOMMAND) & MF_CHECKED);
    menu.setChecked(197, true);
    EXPECT_EQ(static_cast<UINT>(MF_CHECKED), GetMenuState(menu.getHandle(), 197, MF_BYCOMMAND) & MF_CHECKED);
}

TEST(popupMenuTest, aDefaultCheckItemIsBoldAndUncheckedUntilSetCheckedReplacesItsWholeState) {
    aPopupMenu menu;
    menu.addCheckItem("Bold", 300, true);
    itemView item = itemAt(menu.getHandle(), 0);
    EXPECT_EQ(static_cast<UINT>(MFS_DEFAULT), item.state & MFS_DEFAULT);
    EXPECT_EQ(0u, item.state & MFS_CHECKED);
    menu.setChecked(300, true);
    item = itemAt(menu.getHandle(), 0);
    EXPECT_EQ(static_cast<UINT>(MFS_CHECKED), item.state & MFS_CHECKED);
    EXPECT_EQ(0u, item.state & MFS_DEFAULT) << "the default mark goes with the old state";
}

TEST(popupMenuTest, anItemAddedBeforeAnExistingIdGoesInFrontOfIt) {
    aPopupMenu menu;
    menu.addItem("a", 1, false);
    menu.addItem("b", 2, false);
    aPopupMenu submenu;
    menu.addSubmenu("Skin", 2, &submenu);
    EXPECT_EQ("a", itemAt(menu.getHandle(), 0).text);
    EXPECT_EQ("Skin", itemAt(menu.getHandle(), 1).text);
    EXPECT_EQ("b", itemAt(menu.getHandle(), 2).text);
}

TEST(popupMenuTest, theSubmenuItemHasNoIdAndOpensTheSubmenu) {
    aPopupMenu menu;
    aPopupMenu submenu;
    submenu.addCheckItem("Default", 10000, false);
    menu.addItem("first", 180, false);
    menu.addSubmenu("Skin", 198, &submenu);
    ASSERT_EQ(2, GetMenuItemCount(menu.getHandle()));
    itemView item = itemAt(menu.getHandle(), 1);
    EXPECT_EQ("Skin", item.text);
    EXPECT_EQ(submenu.getHandle(), item.submenu);
    EXPECT_EQ(0u, item.id);
    EXPECT_EQ(-1, static_cast<int>(GetMenuItemID(menu.getHandle(), 1)));
    EXPECT_FALSE(menu.setChecked(198, true)) << "198 names no item";
    EXPECT_EQ(0u, itemAt(menu.getHandle(), 1).state & MFS_CHECKED);
    // Lookups by command reach into the submenu.
    char text[32] = "";
    GetMenuStringA(menu.getHandle(), 10000, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ("Default", text);
}

TEST(popupMenuTest, setCheckedForAnUnknownIdChangesNothing) {
    aPopupMenu menu;
    menu.addItem("a", 1, false);
    EXPECT_FALSE(menu.setChecked(77, true));
    EXPECT_EQ(0u, itemAt(menu.getHandle(), 0).state);
}

TEST(popupMenuTest, theMenuKeepsItsOwnCopyOfTheText) {
    aPopupMenu menu;
    char text[16];
    strcpy(text, "original");
    menu.addItem(text, 5, false);
    strcpy(text, "changed");
    EXPECT_EQ("original", itemAt(menu.getHandle(), 0).text);
}

TEST(popupMenuTest, theDestructorDestroysTheSystemMenu) {
    aPopupMenu* menu = new aPopupMenu();
    HMENU handle = menu->getHandle();
    EXPECT_TRUE(IsMenu(handle));
    delete menu;
    EXPECT_FALSE(IsMenu(handle));
}
