// Events read from the registry and fired at second 0 of their minute.
#include "clockFixture.h"

#include "aStringList.h"
#include "processRunner.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {
std::vector<std::string> boxTexts(const messageBoxWatcher& boxes) {
    std::vector<std::string> texts;
    for (const recordedBox& box : boxes.boxes()) texts.push_back(box.text);
    return texts;
}
} // namespace

class alarmTest : public clockTest {
protected:
    void SetUp() override {
        clockTest::SetUp();
        storeSettings();
    }
    // A command that writes tag into the folder's log when it runs.
    std::string recorder(const char* tag) { return testProgram("recordRun.exe") + " " + runLog() + " " + tag; }
    std::string runLog() const { return folder.file("runs.log"); }
    std::string runs() const { return readFile(runLog()); }
    bool waitForRuns(size_t lines) {
        return waitUntil(
            [&] {
                std::string log = runs();
                return std::count(log.begin(), log.end(), '\n') >= static_cast<long>(lines);
            },
            10000);
    }
    void fireAt(int hour, int minute) {
        at(hour, minute, 0);
        tick();
        pump();
    }
};

struct splitCase {
    const char* name;
    std::string message; // what stands before the command
    bool withCommand;
    std::vector<std::string> expectedBoxes;
};

void PrintTo(const splitCase& row, std::ostream* out) { *out << row.name; }

class alarmSplitTest : public alarmTest, public ::testing::WithParamInterface<splitCase> {};

TEST_P(alarmSplitTest, showsTheMessageBeforeTheLastSlashAndStartsTheCommandAfterIt) {
    const splitCase& row = GetParam();
    std::string value = "07:30 " + row.message + (row.withCommand ? "/" + recorder(row.name) : "");
    storeEvents({value.c_str()});
    startClock();
    fireAt(7, 30);
    EXPECT_EQ(row.expectedBoxes, boxTexts(boxes));
    for (const recordedBox& box : boxes.boxes()) {
        EXPECT_EQ("Alarm Event", box.caption);
        EXPECT_EQ(nullptr, box.owner);
        EXPECT_EQ(0u, box.icon);
        EXPECT_EQ(static_cast<UINT>(MB_OK), box.buttons);
    }
    if (row.withCommand) {
        ASSERT_TRUE(waitForRuns(1));
        EXPECT_EQ(std::string(row.name) + "\n", runs());
    } else {
        Sleep(300);
        EXPECT_EQ("", runs());
    }
    EXPECT_EQ(1, clock->alarmActive) << "every firing starts the blinking";
}

INSTANTIATE_TEST_SUITE_P(texts, alarmSplitTest,
                         ::testing::Values(splitCase{"plain", "Test", false, {"Test"}},
                                           splitCase{"messageAndCommand", "Wake up", true, {"Wake up"}},
                                           splitCase{"commandOnly", "", true, {}},
                                           splitCase{"trailingSlash", "Call home/", false, {"Call home"}},
                                           splitCase{"lastSlashWins", "x/y", true, {"x/y"}},
                                           splitCase{"slashInArguments", "run notepad /p x.txt", false, {"run notepad "}},
                                           splitCase{"empty", "", false, {}}),
                         [](const ::testing::TestParamInfo<splitCase>& info) { return std::string(info.param.name); });

TEST_F(alarmTest, anEmptyTextStillShowsAHiddenClockAndStartsTheBlinking) {
    storeEvents({"07:30 "});
    startClock();
    command(180);
    ASSERT_FALSE(IsWindowVisible(clock->handle()));
    fireAt(7, 30);
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_TRUE(IsWindowVisible(clock->handle()));
    EXPECT_EQ(0, clock->hidden);
    EXPECT_EQ(1, clock->alarmActive);
    EXPECT_EQ(0, clock->blinkTicks);
}

TEST_F(alarmTest, firesOnlyInSecondZeroOfTheMinute) {
    storeEvents({"07:30 Stand-up"});
    startClock();
    for (int second : {1, 30, 59}) {
        at(7, 30, second);
        tick();
    }
    at(7, 31, 0);
    tick();
    at(6, 30, 0);
    tick();
    EXPECT_TRUE(boxes.boxes().empty());
    fireAt(7, 30);
    EXPECT_EQ(std::vector<std::string>{"Stand-up"}, boxTexts(boxes));
}

TEST_F(alarmTest, theSecondTickOfTheSameSecondFindsTheAlarmFlagAndFiresNothing) {
    storeEvents({"07:30 Stand-up"});
    startClock();
    fireAt(7, 30);
    fireAt(7, 30);
    EXPECT_EQ(std::vector<std::string>{"Stand-up"}, boxTexts(boxes));
}

TEST_F(alarmTest, anEventDueWhileTheFaceBlinksDoesNotFireThenOrLater) {
    storeEvents({"07:30 Stand-up"});
    startClock();
    command(190);
    fireAt(7, 30);
    at(7, 30, 1);
    while (clock->alarmActive) tick();
    at(7, 30, 30);
    tick();
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(alarmTest, eventsOfOneMinuteFireInIndexOrderAndAHiddenClockIsShownOnce) {
    storeEvents({"08:00 A", "09:00 other", "08:00 B", "08:00 C"});
    startClock();
    command(180);
    fireAt(8, 0);
    EXPECT_EQ((std::vector<std::string>{"A", "B", "C"}), boxTexts(boxes));
    EXPECT_TRUE(IsWindowVisible(clock->handle()));
    EXPECT_EQ(0, clock->hidden);
}

TEST_F(alarmTest, severalCommandOnlyEventsOfAHiddenClockLeaveItShown) {
    // No box runs a loop in between: both posts would be handled afterwards and toggle twice.
    std::string first = "08:00 /" + recorder("one");
    std::string second = "08:00 /" + recorder("two");
    storeEvents({first.c_str(), second.c_str()});
    startClock();
    command(180);
    fireAt(8, 0);
    EXPECT_TRUE(IsWindowVisible(clock->handle()));
    EXPECT_EQ(0, clock->hidden);
    ASSERT_TRUE(waitForRuns(2));
}

TEST_F(alarmTest, theNextEventsCommandStartsOnlyAfterThePreviousBoxIsClosed) {
    std::string first = "08:00 First/" + recorder("one");
    std::string second = "08:00 Second/" + recorder("two");
    storeEvents({first.c_str(), second.c_str()});
    startClock();
    std::vector<std::string> runsSeenAtBoxes;
    boxes.whileOpen = [&](const recordedBox&) {
        Sleep(500);
        runsSeenAtBoxes.push_back(runs());
    };
    fireAt(8, 0);
    ASSERT_EQ(2u, runsSeenAtBoxes.size());
    EXPECT_EQ("one\n", runsSeenAtBoxes[0]);
    EXPECT_EQ("one\ntwo\n", runsSeenAtBoxes[1]);
}

TEST_F(alarmTest, aOneDigitHourFiresAtItsTimeButItsTextLosesACharacter) {
    storeEvents({"7:05 Wake"});
    startClock();
    fireAt(7, 5);
    EXPECT_EQ(std::vector<std::string>{"ake"}, boxTexts(boxes));
}

TEST_F(alarmTest, malformedValuesKeepTheirIndexButNeverFire) {
    std::string tooLong = "12:00 " + std::string(1100, 'x');
    storeEvents({"24:00 hour", "12:60 minute", "ab:cd word", "99999999999:00 huge", "12:00 good", tooLong.c_str(),
                 "12:00 missing", "12:00 emptied"});
    deleteValue(eventsKeyPath, "Event6");
    writeRaw(eventsKeyPath, "Event7", REG_SZ, "", 0);
    startClock();
    EXPECT_EQ(8u, clock->eventCount);
    EXPECT_EQ(8, clock->eventTexts->count());
    EXPECT_EQ(24, clock->eventHours[0]);
    EXPECT_EQ(60, clock->eventMinutes[1]);
    EXPECT_STREQ("word", clock->eventTexts->get(2));
    for (int i : {2, 3, 5, 6, 7}) EXPECT_EQ(-1, clock->eventHours[i]) << "entry " << i;
    EXPECT_STREQ("good", clock->eventTexts->get(4));
    for (int i : {5, 6, 7}) EXPECT_STREQ("", clock->eventTexts->get(i)) << "entry " << i;
    for (int hour : {0, 12, 13}) {
        fireAt(hour, 0);
        clock->alarmActive = 0;
    }
    EXPECT_EQ(std::vector<std::string>{"good"}, boxTexts(boxes));
}

TEST_F(alarmTest, aTextStoredWithoutItsTerminatingZeroIsReadWhole) {
    writeRaw(eventsKeyPath, "Event0", REG_SZ, "12:00 Lunch", 11);
    writeNumber(eventsKeyPath, "Count", 1);
    startClock();
    fireAt(12, 0);
    EXPECT_EQ(std::vector<std::string>{"Lunch"}, boxTexts(boxes));
}

TEST_F(alarmTest, aValueOf1023CharactersIsReadAnd1024AreNot) {
    std::string fits = "12:00 " + std::string(1017, 'a');
    std::string over = "12:00 " + std::string(1018, 'b');
    storeEvents({fits.c_str(), over.c_str()});
    startClock();
    EXPECT_EQ(1017u, strlen(clock->eventTexts->get(0)));
    EXPECT_EQ(12, clock->eventHours[0]);
    EXPECT_EQ(-1, clock->eventHours[1]);
}

TEST_F(alarmTest, aCountAbove1024LoadsTheFirst1024Events) {
    const struct {
        DWORD count;
        unsigned loaded;
    } table[] = {{0, 0}, {3, 3}, {1024, 1024}, {1025, 1024}, {0xFFFFFFFF, 1024}};
    storeEvents({"01:00 a", "02:00 b", "03:00 c"});
    startClock();
    for (const auto& row : table) {
        writeNumber(eventsKeyPath, "Count", row.count);
        clock->loadEvents();
        EXPECT_EQ(row.loaded, clock->eventCount) << row.count;
        EXPECT_EQ(static_cast<int>(row.loaded), clock->eventTexts->count()) << row.count;
    }
    EXPECT_EQ(2, clock->eventHours[1]);
    EXPECT_EQ(-1, clock->eventHours[1023]);
}

TEST_F(alarmTest, noEventsKeyOrNoCountGivesAnEmptyList) {
    storeEvents({"01:00 a"});
    startClock();
    deleteValue(eventsKeyPath, "Count");
    clock->loadEvents();
    EXPECT_EQ(0u, clock->eventCount);
    writeNumber(eventsKeyPath, "Count", 1);
    deleteTree(eventsKeyPath);
    clock->loadEvents();
    EXPECT_EQ(0u, clock->eventCount);
    EXPECT_EQ(0, clock->eventTexts->count());
}

TEST_F(alarmTest, aReloadWhileABoxIsOpenIsFollowedByTheRestOfTheCall) {
    storeEvents({"08:00 A", "08:00 B"});
    startClock();
    bool reloaded = false;
    boxes.whileOpen = [&](const recordedBox&) {
        if (reloaded) return;
        reloaded = true;
        storeEvents({"08:00 New1", "08:00 New2", "08:00 New3"});
        command(194); // Refresh reads the events anew while the box is open
    };
    fireAt(8, 0);
    EXPECT_EQ((std::vector<std::string>{"A", "New2", "New3"}), boxTexts(boxes));
}
