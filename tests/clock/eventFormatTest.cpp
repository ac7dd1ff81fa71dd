// The event value format: the "%d:%d" time, the text from the seventh character, the split at the last "/".
#include "eventFormat.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {
struct timeCase {
    const char* value;
    bool parses;
    int hour;
    int minute;
};

// Values on which "%d:%d" is well defined, so the runtime's sscanf can vouch for each row.
const timeCase saneValues[] = {
    {"12:00 Test", true, 12, 0}, {"7:05 Wake", true, 7, 5}, {" 7:05", true, 7, 5},  {"07: 5", true, 7, 5},
    {"+7:-5", true, 7, -5},      {"24:60", true, 24, 60},   {"0:0", true, 0, 0},    {"", false, 0, 0},
    {"12", false, 0, 0},         {"12:", false, 0, 0},      {"12 :00", false, 0, 0}, {":30", false, 0, 0},
    {"ab:cd", false, 0, 0},      {"12-30", false, 0, 0},    {"12:x", false, 0, 0},  {"- 7:05", false, 0, 0},
};

// Numbers at and past the limits of an int, where sscanf itself would overflow.
const timeCase limitValues[] = {
    {"2147483647:0", true, 2147483647, 0},
    {"-2147483648:0", true, -2147483647 - 1, 0},
    {"0:2147483647", true, 0, 2147483647},
    {"99999999999:00", false, 0, 0},
    {"12:2147483648", false, 0, 0},
    {"2147483648:0", false, 0, 0},
    {"-2147483649:0", false, 0, 0},
    {"1:99999999999999999999999999", false, 0, 0},
};

void expectParse(const timeCase& row) {
    int hour = 99, minute = 99;
    EXPECT_EQ(row.parses, parseEventTime(row.value, &hour, &minute)) << "'" << row.value << "'";
    if (!row.parses) return;
    EXPECT_EQ(row.hour, hour) << "'" << row.value << "'";
    EXPECT_EQ(row.minute, minute) << "'" << row.value << "'";
}
} // namespace

TEST(eventFormatTest, readsTheTimeAsPercentDColonPercentDDoes) {
    for (const timeCase& row : saneValues) {
        int hour = 0, minute = 0;
        ASSERT_EQ(row.parses, sscanf(row.value, "%d:%d", &hour, &minute) == 2) << "table row '" << row.value << "'";
        expectParse(row);
    }
}

TEST(eventFormatTest, refusesNumbersTooLargeForAnIntAndKeepsTheLimitsExact) {
    for (const timeCase& row : limitValues) expectParse(row);
}

TEST(eventFormatTest, theTextStartsAtTheSeventhCharacterWhateverTheWidths) {
    const struct {
        const char* value;
        const char* text;
    } table[] = {{"12:00 Test", "Test"}, {"7:05 Wake", "ake"}, {"12:00", ""}, {"12:00 ", ""}, {"", ""}, {"7", ""}};
    for (const auto& row : table) EXPECT_STREQ(row.text, eventTextOf(row.value)) << "'" << row.value << "'";
    const char* value = "12:00 Test";
    EXPECT_EQ(value + 6, eventTextOf(value)) << "a pointer into the value, not a copy";
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
        {"run notepad /p x.txt", "run notepad ", "p x.txt"}, // the message keeps its trailing space
        {"/", "", ""},
        {"", "", ""},
    };
    for (const auto& row : table) {
        char message[64], command[64];
        memset(message, '#', sizeof message);
        memset(command, '#', sizeof command);
        splitEventText(row.text, message, sizeof message, command, sizeof command);
        EXPECT_STREQ(row.message, message) << "'" << row.text << "'";
        EXPECT_STREQ(row.command, command) << "'" << row.text << "'";
    }
}

TEST(eventFormatTest, partsLongerThanTheirBuffersGetATerminatedPrefix) {
    const struct {
        const char* text;
        size_t size;
        const char* message;
        const char* command;
    } table[] = {
        {"abcdef/g", 4, "abc", "g"},
        {"abcdef/ghijk", 4, "abc", "ghi"},
        {"abc/def", 4, "abc", "def"}, // exactly fits
        {"abcd/efgh", 4, "abc", "efg"},
        {"abcdef", 4, "abc", ""},
        {"ab/cd", 1, "", ""},
    };
    for (const auto& row : table) {
        // One guard byte past each buffer shows a write out of range.
        char message[9], command[9];
        memset(message, '#', sizeof message);
        memset(command, '#', sizeof command);
        splitEventText(row.text, message, row.size, command, row.size);
        EXPECT_STREQ(row.message, message) << "'" << row.text << "' in " << row.size;
        EXPECT_STREQ(row.command, command) << "'" << row.text << "' in " << row.size;
        EXPECT_EQ('#', message[row.size]) << "'" << row.text << "'";
        EXPECT_EQ('#', command[row.size]) << "'" << row.text << "'";
    }
}
