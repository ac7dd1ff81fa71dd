// The string list: owned copies, growth by 16, removal and replacement, saving with CR LF.
#include "aStringList.h"
#include "scratchFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(stringListTest, aNewListIsEmpty) {
    aStringList list;
    EXPECT_EQ(0, list.count());
    EXPECT_EQ(0, list.getCapacity());
    EXPECT_EQ(nullptr, list.get(0));
}

TEST(stringListTest, growsSixteenSlotsAtATimeKeepingItsEntries) {
    aStringList list;
    list.add("0");
    EXPECT_EQ(16, list.getCapacity());
    char* before[16];
    before[0] = list.get(0);
    for (int i = 1; i < 16; i++) {
        list.add(std::to_string(i).c_str());
        before[i] = list.get(i);
    }
    EXPECT_EQ(16, list.getCapacity());
    list.add("16");
    EXPECT_EQ(32, list.getCapacity());
    EXPECT_EQ(17, list.count());
    for (int i = 0; i < 16; i++) {
        EXPECT_EQ(before[i], list.get(i)) << "entry " << i << " moved, not copied";
        EXPECT_STREQ(std::to_string(i).c_str(), list.get(i));
    }
    EXPECT_STREQ("16", list.get(16));
    for (int i = 17; i < 33; i++) list.add("x");
    EXPECT_EQ(48, list.getCapacity()) << "grows by 16, never doubles";
}

TEST(stringListTest, storesCopiesThatOutliveTheCallersBuffer) {
    aStringList list;
    char* changed = new char[16];
    strcpy(changed, "alarm");
    list.add(changed);
    strcpy(changed, "xxxxx");
    char* freed = new char[16];
    strcpy(freed, "wake");
    list.add(freed);
    delete[] freed;
    EXPECT_STREQ("alarm", list.get(0));
    EXPECT_NE(changed, list.get(0));
    EXPECT_STREQ("wake", list.get(1));
    delete[] changed;
}

TEST(stringListTest, indicesOutOfRangeGiveNullAndChangeNothing) {
    aStringList list;
    list.add("a");
    list.add("b");
    EXPECT_EQ(nullptr, list.get(-1));
    EXPECT_EQ(nullptr, list.get(list.count()));
    for (int index : {-1, 2, 3, 16}) {
        list.removeAt(index);
        list.setAt(index, "z");
    }
    EXPECT_EQ(2, list.count());
    EXPECT_STREQ("a", list.get(0));
    EXPECT_STREQ("b", list.get(1));
    EXPECT_EQ(nullptr, list.get(2));
}

TEST(stringListTest, removeAtMovesTheLaterEntriesDown) {
    aStringList list;
    for (const char* s : {"zero", "one", "two"}) list.add(s);
    char* one = list.get(1);
    list.removeAt(0);
    EXPECT_EQ(2, list.count());
    EXPECT_EQ(one, list.get(0));
    EXPECT_STREQ("one", list.get(0));
    EXPECT_STREQ("two", list.get(1));
    EXPECT_EQ(nullptr, list.get(2));
}

TEST(stringListTest, setAtWithTheStoredPointerChangesNothing) {
    aStringList list;
    list.add("first");
    list.add("second");
    char* stored = list.get(1);
    list.setAt(1, stored);
    EXPECT_EQ(stored, list.get(1)) << "the very pointer stored is kept, not freed";
    EXPECT_STREQ("second", list.get(1));
    EXPECT_STREQ("first", list.get(0));
    EXPECT_EQ(2, list.count());
}

TEST(stringListTest, setAtReplacesWithACopyEvenOfAPartOfTheOldString) {
    aStringList list;
    list.add("first");
    list.add("second");
    list.setAt(1, list.get(1) + 2); // points into the string it replaces
    EXPECT_STREQ("cond", list.get(1));
    char buffer[8];
    strcpy(buffer, "new");
    list.setAt(0, buffer);
    strcpy(buffer, "xxx");
    EXPECT_STREQ("new", list.get(0));
    EXPECT_EQ(2, list.count());
}

TEST(stringListTest, clearEmptiesAndTheNextAddAllocatesSixteenAgain) {
    aStringList list;
    for (int i = 0; i < 20; i++) list.add("x");
    list.clear();
    EXPECT_EQ(0, list.count());
    EXPECT_EQ(0, list.getCapacity());
    EXPECT_EQ(nullptr, list.get(0));
    list.add("y");
    EXPECT_EQ(16, list.getCapacity());
    EXPECT_EQ(1, list.count());
    EXPECT_STREQ("y", list.get(0));
}

TEST(stringListTest, saveToFileWritesEachEntryWithCrLfAndTruncatesWhatWasThere) {
    scratchFolder folder;
    writeFile(folder.file("list.txt"), "a much longer earlier content\r\n");
    aStringList list;
    list.add("one");
    list.add("two");
    list.saveToFile(folder.file("list.txt").c_str());
    const std::string written = readFile(folder.file("list.txt")); // read in binary
    EXPECT_EQ(10u, written.size());
    EXPECT_EQ(std::string("one\r\ntwo\r\n"), written);
}

TEST(stringListTest, anEmptyListCreatesOrTruncatesToAnEmptyFile) {
    scratchFolder folder;
    aStringList list;
    list.saveToFile(folder.file("new.txt").c_str());
    EXPECT_TRUE(fileExists(folder.file("new.txt")));
    EXPECT_EQ("", readFile(folder.file("new.txt")));
    writeFile(folder.file("old.txt"), "old\r\n");
    list.saveToFile(folder.file("old.txt").c_str());
    EXPECT_TRUE(fileExists(folder.file("old.txt")));
    EXPECT_EQ("", readFile(folder.file("old.txt")));
}

TEST(stringListTest, aPathThatCannotBeOpenedIsIgnored) {
    scratchFolder folder;
    makeFolder(folder.file("sub"));
    writeFile(folder.file("sub\\kept.txt"), "kept");
    aStringList list;
    list.add("lost");
    list.saveToFile(folder.file("missing\\x.txt").c_str());
    list.saveToFile(folder.file("sub").c_str());
    EXPECT_FALSE(fileExists(folder.file("missing")));
    EXPECT_EQ("kept", readFile(folder.file("sub\\kept.txt")));
    EXPECT_EQ(1, list.count());
    EXPECT_STREQ("lost", list.get(0));
}
