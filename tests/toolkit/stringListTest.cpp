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
    for (int i = 0; i < 16; i++) list.add(std::to_string(i).c_str());
    EXPECT_EQ(16, list.getCapacity());
    list.add("16");
    EXPECT_EQ(32, list.getCapacity());
    for (int i = 0; i < 17; i++) EXPECT_STREQ(std::to_string(i).c_str(), list.get(i));
    for (int i = 17; i < 33; i++) list.add("x");
    EXPECT_EQ(48, list.getCapacity());
}

TEST(stringListTest, storesCopiesThatOutliveTheCallersBuffer) {
    aStringList list;
    char buffer[16];
    strcpy(buffer, "alarm");
    list.add(buffer);
    strcpy(buffer, "xxxxx");
    EXPECT_STREQ("alarm", list.get(0));
    EXPECT_NE(buffer, list.get(0));
}

TEST(stringListTest, indicesOutOfRangeGiveNullAndChangeNothing) {
    aStringList list;
    list.add("a");
    EXPECT_EQ(nullptr, list.get(-1));
    EXPECT_EQ(nullptr, list.get(1));
    list.removeAt(-1);
    list.removeAt(1);
    list.setAt(1, "b");
    list.setAt(-1, "b");
    EXPECT_EQ(1, list.count());
    EXPECT_STREQ("a", list.get(0));
}

TEST(stringListTest, removeAtMovesTheLaterEntriesDown) {
    aStringList list;
    for (const char* s : {"zero", "one", "two"}) list.add(s);
    list.removeAt(0);
    EXPECT_EQ(2, list.count());
    EXPECT_STREQ("one", list.get(0));
    EXPECT_STREQ("two", list.get(1));
    EXPECT_EQ(nullptr, list.get(2));
}

TEST(stringListTest, setAtReplacesWithACopyAndToleratesItsOwnString) {
    aStringList list;
    list.add("first");
    list.add("second");
    char* stored = list.get(1);
    list.setAt(1, stored);
    EXPECT_EQ(stored, list.get(1)) << "the very pointer stored changes nothing";
    EXPECT_STREQ("second", stored);
    list.setAt(1, list.get(1) + 3); // a part of the string it replaces
    EXPECT_STREQ("ond", list.get(1));
    list.setAt(0, "new");
    EXPECT_STREQ("new", list.get(0));
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
}

TEST(stringListTest, saveToFileWritesEachEntryWithCrLfAndNothingElse) {
    scratchFolder folder;
    writeFile(folder.file("list.txt"), "a much longer earlier content\r\n");
    aStringList list;
    list.add("one");
    list.add("two");
    list.saveToFile(folder.file("list.txt").c_str());
    EXPECT_EQ(std::string("one\r\ntwo\r\n"), readFile(folder.file("list.txt")));
    EXPECT_EQ(10u, readFile(folder.file("list.txt")).size());
}

TEST(stringListTest, anEmptyListSavesAnEmptyFileAndAnUnopenablePathIsIgnored) {
    scratchFolder folder;
    writeFile(folder.file("empty.txt"), "old");
    aStringList list;
    list.saveToFile(folder.file("empty.txt").c_str());
    EXPECT_TRUE(fileExists(folder.file("empty.txt")));
    EXPECT_EQ("", readFile(folder.file("empty.txt")));
    list.add("lost");
    list.saveToFile(folder.file("missing\\folder\\x.txt").c_str());
    list.saveToFile(folder.path().c_str());
    EXPECT_FALSE(fileExists(folder.file("missing")));
}
