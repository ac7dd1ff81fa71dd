// The popup menu: items inserted by command, their types and states read back from the system menu.
#include "aPopupMenu.h"

#include <gtest/gtest.h>

#include "menuItems.h"

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {
// The text by command; Wine leaves a too-small buffer unterminated, so the end is set here.
std::string textOf(HMENU menu, UINT id) {
    char text[256];
    text[0] = '\0';
    GetMenuStringA(menu, id, text, sizeof text, MF_BYCOMMAND);
    text[sizeof text - 1] = '\0';
    return text;
}

std::vector<std::string> texts(HMENU menu) {
    std::vector<std::string> all;
    for (int i = 0; i < GetMenuItemCount(menu); i++) all.push_back(itemAt(menu, i).text);
    return all;
}

UINT checkedState(HMENU menu, UINT id) { return GetMenuState(menu, id, MF_BYCOMMAND) & MF_CHECKED; }
} // namespace

TEST(popupMenuTest, itemsAppearInTheOrderOfTheirCallsWithTheirIdsAndTypes) {
    aPopupMenu menu;
    EXPECT_TRUE(menu.addItem("Hide/Show", 180, true));
    EXPECT_TRUE(menu.addSeparator(181));
    EXPECT_TRUE(menu.addItem("Alarm\tF5", 190, false));
    ASSERT_EQ(3, GetMenuItemCount(menu.getHandle()));
    itemView first = itemAt(menu.getHandle(), 0), second = itemAt(menu.getHandle(), 1), third = itemAt(menu.getHandle(), 2);
    EXPECT_EQ(180u, first.id);
    EXPECT_EQ(static_cast<UINT>(MFT_STRING), first.type);
    EXPECT_EQ("Hide/Show", first.text);
    EXPECT_EQ(static_cast<UINT>(MFS_DEFAULT), first.state);
    EXPECT_EQ(181u, second.id) << "the separator carries its id";
    EXPECT_EQ(static_cast<UINT>(MFT_SEPARATOR), second.type & MFT_SEPARATOR);
    EXPECT_EQ(190u, third.id);
    EXPECT_EQ(static_cast<UINT>(MFT_STRING), third.type);
    EXPECT_EQ("Alarm\tF5", textOf(menu.getHandle(), 190));
    EXPECT_EQ(0u, third.state);
}

TEST(popupMenuTest, aCheckItemStartsCheckedAndSetCheckedTogglesIt) {
    aPopupMenu menu;
    ASSERT_TRUE(menu.addCheckItem("Always on top", 197, false));
    EXPECT_EQ(static_cast<UINT>(MFS_CHECKED), itemAt(menu.getHandle(), 0).state);
    EXPECT_EQ("Always on top", textOf(menu.getHandle(), 197));
    EXPECT_TRUE(menu.setChecked(197, false));
    EXPECT_EQ(0u, checkedState(menu.getHandle(), 197));
    EXPECT_TRUE(menu.setChecked(197, true));
    EXPECT_EQ(static_cast<UINT>(MF_CHECKED), checkedState(menu.getHandle(), 197));
    EXPECT_EQ(197u, itemAt(menu.getHandle(), 0).id);
    EXPECT_EQ("Always on top", itemAt(menu.getHandle(), 0).text) << "setChecked leaves the text";
}

TEST(popupMenuTest, aDefaultCheckItemIsBoldAndUnchecked) {
    aPopupMenu menu;
    menu.addCheckItem("Bold", 300, true);
    EXPECT_EQ(static_cast<UINT>(MFS_DEFAULT), itemAt(menu.getHandle(), 0).state);
}

TEST(popupMenuTest, setCheckedReplacesTheWholeStateSoTheDefaultMarkGoes) {
    for (bool checked : {true, false}) {
        aPopupMenu menu;
        menu.addItem("Hide/Show", 180, true);
        menu.setChecked(180, checked);
        EXPECT_EQ(checked ? static_cast<UINT>(MFS_CHECKED) : 0u, itemAt(menu.getHandle(), 0).state) << checked;
    }
}

TEST(popupMenuTest, anItemAddedWithAnExistingIdGoesInFrontOfItAndWithANewIdAtTheEnd) {
    const std::function<void(aPopupMenu&, int)> adders[] = {
        [](aPopupMenu& m, int id) { m.addItem("new", id, false); },
        [](aPopupMenu& m, int id) { m.addCheckItem("new", id, false); },
        [](aPopupMenu& m, int id) { m.addSeparator(id); },
    };
    for (size_t kind = 0; kind < 3; kind++) {
        aPopupMenu menu;
        menu.addItem("a", 1, false);
        menu.addItem("b", 2, false);
        adders[kind](menu, 2);
        adders[kind](menu, 7);
        ASSERT_EQ(4, GetMenuItemCount(menu.getHandle())) << kind;
        const std::string added = kind == 2 ? "" : "new";
        EXPECT_EQ((std::vector<std::string>{"a", added, "b", added}), texts(menu.getHandle())) << kind;
        EXPECT_EQ(2u, itemAt(menu.getHandle(), 1).id) << kind;
        EXPECT_EQ(7u, itemAt(menu.getHandle(), 3).id) << kind;
    }
}

TEST(popupMenuTest, aSubmenuGoesBeforeTheItemBearingItsReferenceOrAtTheEnd) {
    aPopupMenu menu, first, second;
    menu.addItem("a", 1, false);
    menu.addItem("b", 2, false);
    EXPECT_TRUE(menu.addSubmenu("Skin", 2, &first));
    EXPECT_TRUE(menu.addSubmenu("More", 198, &second));
    EXPECT_EQ((std::vector<std::string>{"a", "Skin", "b", "More"}), texts(menu.getHandle()));
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
    EXPECT_EQ(0u, item.state);
    EXPECT_EQ(-1, static_cast<int>(GetMenuItemID(menu.getHandle(), 1)));
    EXPECT_FALSE(menu.setChecked(198, true)) << "198 names no item";
    EXPECT_EQ(0u, itemAt(menu.getHandle(), 1).state);
    EXPECT_EQ(submenu.getHandle(), itemAt(menu.getHandle(), 1).submenu);
    // Lookups by command reach into the submenu.
    EXPECT_EQ("Default", textOf(menu.getHandle(), 10000));
}

TEST(popupMenuTest, setCheckedForAnUnknownIdChangesNothing) {
    aPopupMenu menu;
    menu.addItem("a", 1, true);
    menu.addCheckItem("b", 2, false);
    EXPECT_FALSE(menu.setChecked(77, true));
    EXPECT_FALSE(menu.setChecked(77, false));
    ASSERT_EQ(2, GetMenuItemCount(menu.getHandle()));
    EXPECT_EQ(static_cast<UINT>(MFS_DEFAULT), itemAt(menu.getHandle(), 0).state);
    EXPECT_EQ(static_cast<UINT>(MFS_CHECKED), itemAt(menu.getHandle(), 1).state);
    EXPECT_EQ(1u, itemAt(menu.getHandle(), 0).id);
    EXPECT_EQ(2u, itemAt(menu.getHandle(), 1).id);
}

TEST(popupMenuTest, theMenuKeepsItsOwnCopyOfEveryText) {
    aPopupMenu menu, submenu;
    char text[16];
    strcpy(text, "plain");
    menu.addItem(text, 1, false);
    strcpy(text, "check");
    menu.addCheckItem(text, 2, false);
    strcpy(text, "sub");
    menu.addSubmenu(text, 3, &submenu);
    strcpy(text, "overwritten");
    EXPECT_EQ((std::vector<std::string>{"plain", "check", "sub"}), texts(menu.getHandle()));
}

TEST(popupMenuTest, theDestructorDestroysTheSystemMenu) {
    aPopupMenu* menu = new aPopupMenu();
    HMENU handle = menu->getHandle();
    EXPECT_TRUE(IsMenu(handle));
    delete menu;
    EXPECT_FALSE(IsMenu(handle));
}
