// The event value format: the "%d:%d" time, the text from the seventh character, the split at the last "/".
#include "eventFormat.h"

#include <gtest/gtest.h>

#include <string>

struct timeCase {
    const char* value;
    bool parses;
    int hour;
    int minute;
};

TEST(eventFormatTest, readsTheTimeAsPercentDColonPercentDDoes) {
    const timeCase table[] = {
        {"12:00 Test", true, 12, 0},   {"7:05 Wake", true, 7, 5},     {" 7:05", true, 7, 5},
        {"07: 5", true, 7, 5},         {"+7:-5", true, 7, -5},        {"24:60 x", true, 24, 60},
        {"2147483647:0", true, 2147483647, 0}, {"-2147483648:0", true, -2147483647 - 1, 0},
        {"", false, 0, 0},             {"12", false, 0, 0},           {"12:", false, 0, 0},
        {"12 :00", false, 0, 0},       {":30", false, 0, 0},          {"ab:cd", false, 0, 0},
        {"12-30", false, 0, 0},        {"99999999999:00", false, 0, 0}, {"12:2147483648", false, 0, 0},
        {"-2147483649:0", false, 0, 0},
    };
    for (const timeCase& row : table) {
        int hour = 99, minute = 99;
        EXPECT_EQ(row.parses, parseEventTime(row.value, &hour, &minute)) << "'" << row.value << "'";
        if (!row.parses) continue;
        EXPECT_EQ(row.hour, hour) << row.value;
        EXPECT_EQ(row.minute, minute) << row.value;
    }
}

TEST(eventFormatTest, theTextStartsAtTheSeventhCharacterWhateverTheWidths) {
    const struct {
        const char* value;
        const char* text;
    } table[] = {{"12:00 Test", "Test"}, {"7:05 Wake", "ake"}, {"12:00", ""}, {"12:00 ", ""}, {"", ""}};
    for (const auto& row : table) EXPECT_STREQ(row.text, eventTextOf(row.value)) << row.value;
}

TEST(eventFormatTest, splitsAtTheLastSlash) {
    const struct {
        const char* text;
        const char* message;
        const char* command;
    } table[] = {
        {"Test", "Test", ""},
        {"Wake up/notepad.exe", "Wake up", "notepad.exe"},
        {"/backup.bat", "", "backup.bat"},
        {"Call home/", "Call home", ""},
        {"x/y/z", "x/y", "z"},
        {"run notepad /p x.txt", "run notepad ", "p x.txt"},
        {"", "", ""},
    };
    for (const auto& row : table) {
        char message[64], command[64];
        splitEventText(row.text, message, sizeof message, command, sizeof command);
        EXPECT_STREQ(row.message, message) << row.text;
        EXPECT_STREQ(row.command, command) << row.text;
    }
}

TEST(eventFormatTest, partsLongerThanTheirBuffersAreCutAndTerminated) {
    char message[4], command[4];
    splitEventText("abcdef/ghijk", message, sizeof message, command, sizeof command);
    EXPECT_STREQ("abc", message);
    EXPECT_STREQ("ghi", command);
}
