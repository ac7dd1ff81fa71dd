// The settings editor: the event format it writes, the store, and its windows driven with real messages.
#include "aEditorWindow.h"
#include "aEventDialog.h"
#include "eventFormat.h"
#include "eventStore.h"
#include "eventText.h"
#include "messageBoxWatcher.h"
#include "registrySandbox.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {
const char* const eventsKey = "Software\\Quorvane\\Bellwick\\Events";

void storeEvents(const std::vector<std::string>& events) {
    for (size_t i = 0; i < events.size(); i++) writeText(eventsKey, ("Event" + std::to_string(i)).c_str(), events[i].c_str());
    writeNumber(eventsKey, "Count", static_cast<DWORD>(events.size()));
}

std::vector<std::string> storedEvents() {
    std::vector<std::string> events;
    DWORD count = readValue(eventsKey, "Count").number();
    for (DWORD i = 0; i < count; i++) events.push_back(readValue(eventsKey, ("Event" + std::to_string(i)).c_str()).data.c_str());
    return events;
}

// What the clock makes of a stored value: hour, minute, message, command.
std::string asTheClockReadsIt(const std::string& value) {
    int hour = -1, minute = -1;
    if (!parseEventTime(value.c_str(), &hour, &minute)) return "unreadable";
    char message[1024], command[1024];
    splitEventText(eventTextOf(value.c_str()), message, sizeof message, command, sizeof command);
    return std::to_string(hour) + ":" + std::to_string(minute) + "|" + message + "|" + command;
}

// Acts inside the dialog's own loop: a timer of this thread runs the script until it says it is done.
std::function<bool()> script;
void CALLBACK runScript(HWND, UINT, UINT_PTR, DWORD) {
    if (script && script()) script = nullptr;
}
} // namespace

TEST(eventTextTest, aTimeIsExactlyHhMmWithinTheDay) {
    for (const char* good : {"00:00", "23:59", "07:05", "12:30"}) EXPECT_TRUE(isValidTime(good)) << good;
    for (const char* bad : {"24:00", "12:60", "7:05", "07:5", "07-05", "0705", "", "07:05 ", "ab:cd", "+7:05"})
        EXPECT_FALSE(isValidTime(bad)) << bad;
}

TEST(eventTextTest, composedValuesReadBackAsTheUserMeantThemInTheClock) {
    const struct {
        const char* time;
        const char* message;
        const char* command;
        const char* stored;
        const char* clockSees;
    } table[] = {
        {"07:30", "Stand-up", "notepad.exe", "07:30 Stand-up/notepad.exe", "7:30|Stand-up|notepad.exe"},
        {"12:00", "Test", "", "12:00 Test", "12:0|Test|"},
        {"10:00", "Read 1/2 of the book", "", "10:00 Read 1/2 of the book/", "10:0|Read 1/2 of the book|"},
        {"18:00", "", "backup.bat", "18:00 /backup.bat", "18:0|  |backup.bat"},
        {"09:15", "a/b", "c.exe", "09:15 a/b/c.exe", "9:15|a/b|c.exe"},
    };
    for (const auto& row : table) {
        const std::string value = composeEvent(row.time, row.message, row.command);
        EXPECT_EQ(row.stored, value);
        std::string expected = row.clockSees;
        if (expected.find("|  |") != std::string::npos) expected.replace(expected.find("|  |"), 4, "||");
        EXPECT_EQ(expected, asTheClockReadsIt(value)) << value;
        eventParts parts = splitStoredEvent(value);
        EXPECT_TRUE(parts.understood);
        EXPECT_EQ(row.time, parts.time);
    }
}

TEST(eventTextTest, valuesTheClockCannotReadAreRecognisedAndSortedLast) {
    for (const char* odd : {"7:05 Wake", "garbage", "", "12:00x"}) EXPECT_FALSE(splitStoredEvent(odd).understood) << odd;
    std::vector<std::string> values = {"garbage", "18:00 b", "7:05 Wake", "08:00 a", "08:00 c"};
    sortByTime(values);
    EXPECT_EQ((std::vector<std::string>{"08:00 a", "08:00 c", "18:00 b", "garbage", "7:05 Wake"}), values);
}

TEST(eventTextTest, invalidInputIsExplained) {
    EXPECT_EQ("", validateEvent("07:30 Stand-up", "notepad.exe"));
    EXPECT_EQ("", validateEvent("07:30 ", "backup.bat"));
    for (const char* line : {"24:00 x", "7:30 x", "07:60 x", "07:30x", "", "x"})
        EXPECT_NE("", validateEvent(line, "")) << line;
    EXPECT_NE("", validateEvent("07:30", "")) << "neither message nor command";
    EXPECT_NE("", validateEvent("07:30 ", "")) << "neither message nor command";
    EXPECT_NE("", validateEvent("07:30 x", "a/b.exe")) << "the clock would split the command";
    EXPECT_EQ("", validateEvent("07:30 " + std::string(1017, 'm'), ""));
    EXPECT_NE("", validateEvent("07:30 " + std::string(1018, 'm'), "")) << "1024 characters";
}

class editorStoreTest : public ::testing::Test {
protected:
    registrySandbox registry;
};

TEST_F(editorStoreTest, writesTheValuesThenCountAndRemovesWhatIsBeyond) {
    storeEvents({"01:00 a", "02:00 b", "03:00 c", "04:00 d"});
    ASSERT_TRUE(writeStoredEvents({"05:00 e", "06:00 f"}));
    EXPECT_EQ((std::vector<std::string>{"05:00 e", "06:00 f"}), storedEvents());
    EXPECT_FALSE(readValue(eventsKey, "Event2").exists);
    EXPECT_FALSE(readValue(eventsKey, "Event3").exists);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), readValue(eventsKey, "Event0").type);
    EXPECT_EQ(8u, readValue(eventsKey, "Event0").data.size()) << "stored with its NUL";
    EXPECT_EQ((std::vector<std::string>{"05:00 e", "06:00 f"}), readStoredEvents());
}

TEST_F(editorStoreTest, createsTheKeysAndKeepsValuesItCannotRead) {
    EXPECT_TRUE(readStoredEvents().empty());
    ASSERT_TRUE(writeStoredEvents({"garbage"}));
    EXPECT_EQ(std::vector<std::string>{"garbage"}, readStoredEvents());
    writeNumber(eventsKey, "Count", 3); // Event1 and Event2 missing
    EXPECT_EQ((std::vector<std::string>{"garbage", "", ""}), readStoredEvents());
}

class editorWindowTest : public ::testing::Test {
protected:
    void SetUp() override { timer = SetTimer(nullptr, 0, 15, runScript); }
    void TearDown() override {
        KillTimer(nullptr, timer);
        script = nullptr;
        editor.reset();
    }
    void open() {
        editor.reset(new aEditorWindow(GetModuleHandleA(nullptr)));
        editor->show(SW_SHOW);
        SetActiveWindow(editor->getHandle());
    }
    std::vector<std::string> rows() {
        std::vector<std::string> texts;
        const int count = static_cast<int>(SendMessageA(editor->list(), LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; i++) {
            char text[2048] = "";
            SendMessageA(editor->list(), LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
            texts.push_back(text);
        }
        return texts;
    }
    void click(int button) {
        SendMessageA(editor->getHandle(), WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(editor->getHandle(), button)));
    }
    HWND dialogWindow() { return editor->eventDialog()->getHandle(); }
    bool dialogOpen() { return IsWindowVisible(dialogWindow()) != 0; }
    // Fills the dialog's fields and presses Enter (hot key 1001) or Escape (1002) once it shows.
    void answerDialog(const std::string& line, const std::string& command, int hotKey) {
        script = [=] {
            if (!dialogOpen()) return false;
            SetWindowTextA(editor->eventDialog()->field(aEventDialog::eventField), line.c_str());
            SetWindowTextA(editor->eventDialog()->field(aEventDialog::commandField), command.c_str());
            SendMessageA(dialogWindow(), WM_HOTKEY, hotKey, 0);
            return true;
        };
    }
    void select(int row) { SendMessageA(editor->list(), LB_SETCURSEL, row, 0); }

    registrySandbox registry;
    messageBoxWatcher boxes;
    UINT_PTR timer = 0;
    std::unique_ptr<aEditorWindow> editor;
};

TEST_F(editorWindowTest, listsTheStoredEventsInTimeOrderWithTheirParts) {
    storeEvents({"18:00 Dinner", "07:30 Stand-up/notepad.exe", "bad value"});
    open();
    char caption[64];
    GetWindowTextA(editor->getHandle(), caption, sizeof caption);
    EXPECT_STREQ("Bellwick setup", caption);
    std::vector<std::string> shown = rows();
    ASSERT_EQ(3u, shown.size());
    EXPECT_EQ("07:30\tStand-up\tnotepad.exe", shown[0]);
    EXPECT_EQ("18:00\tDinner\t", shown[1]);
    EXPECT_EQ(0u, shown[2].find("bad value")) << "kept and shown as it is";
    char text[64];
    GetWindowTextA(GetDlgItem(editor->getHandle(), aEditorWindow::addButton), text, sizeof text);
    EXPECT_STREQ("&Add event", text);
}

TEST_F(editorWindowTest, addStoresTheEventInTheClocksFormat) {
    storeEvents({"18:00 Dinner"});
    open();
    std::string defaultLine;
    script = [&] {
        if (!dialogOpen()) return false;
        char text[64];
        GetWindowTextA(editor->eventDialog()->field(aEventDialog::eventField), text, sizeof text);
        defaultLine = text;
        GetWindowTextA(dialogWindow(), text, sizeof text);
        EXPECT_STREQ("Event property", text);
        EXPECT_FALSE(IsWindowEnabled(editor->getHandle())) << "the dialog is modal";
        SetWindowTextA(editor->eventDialog()->field(aEventDialog::eventField), "07:30 Read 1/2");
        SendMessageA(dialogWindow(), WM_HOTKEY, hotKeyEnter, 0);
        return true;
    };
    click(aEditorWindow::addButton);
    EXPECT_EQ("00:00 Event", defaultLine);
    EXPECT_EQ((std::vector<std::string>{"07:30 Read 1/2/", "18:00 Dinner"}), storedEvents());
    EXPECT_EQ("7:30|Read 1/2|", asTheClockReadsIt(storedEvents()[0]));
    EXPECT_TRUE(IsWindowEnabled(editor->getHandle()));
    EXPECT_FALSE(dialogOpen());
}

TEST_F(editorWindowTest, escapeCancelsAndStoresNothing) {
    storeEvents({"18:00 Dinner"});
    open();
    answerDialog("07:30 Never", "", hotKeyEscape);
    click(aEditorWindow::addButton);
    EXPECT_EQ(std::vector<std::string>{"18:00 Dinner"}, storedEvents());
}

TEST_F(editorWindowTest, invalidInputIsRefusedWithAMessageAndTheDialogStaysOpen) {
    open();
    int step = 0;
    script = [&] {
        if (!dialogOpen()) return false;
        if (step == 0) {
            SetWindowTextA(editor->eventDialog()->field(aEventDialog::eventField), "25:00 Late");
            SendMessageA(dialogWindow(), WM_HOTKEY, hotKeyEnter, 0);
            step = 1;
            return false;
        }
        if (boxes.boxes().empty()) return false;
        SendMessageA(dialogWindow(), WM_HOTKEY, hotKeyEscape, 0);
        return true;
    };
    click(aEditorWindow::addButton);
    ASSERT_EQ(1u, boxes.boxes().size());
    EXPECT_NE(std::string::npos, boxes.boxes()[0].text.find("HH:MM"));
    EXPECT_FALSE(keyExists(eventsKey)) << "nothing stored";
}

TEST_F(editorWindowTest, changeEditsTheSelectedEvent) {
    storeEvents({"07:30 Stand-up/notepad.exe", "18:00 Dinner"});
    open();
    select(0);
    std::string offered, offeredCommand;
    script = [&] {
        if (!dialogOpen()) return false;
        char text[128];
        GetWindowTextA(editor->eventDialog()->field(aEventDialog::eventField), text, sizeof text);
        offered = text;
        GetWindowTextA(editor->eventDialog()->field(aEventDialog::commandField), text, sizeof text);
        offeredCommand = text;
        SetWindowTextA(editor->eventDialog()->field(aEventDialog::eventField), "19:00 Stand-up late");
        SendMessageA(dialogWindow(), WM_HOTKEY, hotKeyEnter, 0);
        return true;
    };
    SendMessageA(editor->getHandle(), WM_VKEYTOITEM, MAKEWPARAM(VK_RETURN, 0), reinterpret_cast<LPARAM>(editor->list()));
    EXPECT_EQ("07:30 Stand-up", offered);
    EXPECT_EQ("notepad.exe", offeredCommand);
    EXPECT_EQ((std::vector<std::string>{"18:00 Dinner", "19:00 Stand-up late/notepad.exe"}), storedEvents());
}

TEST_F(editorWindowTest, aDoubleClickOnARowChangesIt) {
    storeEvents({"07:30 a"});
    open();
    select(0);
    answerDialog("08:00 b", "", hotKeyEnter);
    SendMessageA(editor->getHandle(), WM_COMMAND, MAKEWPARAM(aEditorWindow::eventList, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(editor->list()));
    EXPECT_EQ(std::vector<std::string>{"08:00 b"}, storedEvents());
}

TEST_F(editorWindowTest, deleteAsksFirstAndOnlyYesRemoves) {
    storeEvents({"07:30 a", "08:00 b", "09:00 c"});
    open();
    select(1);
    boxes.setAnswer(IDNO);
    SendMessageA(editor->getHandle(), WM_VKEYTOITEM, MAKEWPARAM(VK_DELETE, 0), reinterpret_cast<LPARAM>(editor->list()));
    ASSERT_EQ(1u, boxes.boxes().size());
    EXPECT_EQ("Do you realy want to delete event:\n08:00 b?", boxes.boxes()[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_YESNO), boxes.boxes()[0].buttons);
    EXPECT_EQ(3u, storedEvents().size());
    boxes.setAnswer(IDYES);
    click(aEditorWindow::deleteButton);
    EXPECT_EQ((std::vector<std::string>{"07:30 a", "09:00 c"}), storedEvents());
    EXPECT_FALSE(readValue(eventsKey, "Event2").exists);
}

TEST_F(editorWindowTest, theInsertKeyAddsAndTheLimitOf1024IsKept) {
    std::vector<std::string> many;
    for (int i = 0; i < 1024; i++) many.push_back("10:00 e" + std::to_string(i));
    storeEvents(many);
    open();
    SendMessageA(editor->getHandle(), WM_VKEYTOITEM, MAKEWPARAM(VK_INSERT, 0), reinterpret_cast<LPARAM>(editor->list()));
    ASSERT_EQ(1u, boxes.boxes().size());
    EXPECT_NE(std::string::npos, boxes.boxes()[0].text.find("1024"));
    EXPECT_EQ(1024u, storedEvents().size());
}

TEST_F(editorWindowTest, tabCyclesTheDialogsFieldsFromTheLastBackToTheFirst) {
    open();
    std::vector<HWND> visited;
    script = [&] {
        if (!dialogOpen()) return false;
        SetFocus(editor->eventDialog()->field(aEventDialog::eventField));
        for (int i = 0; i < 5; i++) {
            SendMessageA(dialogWindow(), WM_HOTKEY, hotKeyTab, 0);
            visited.push_back(GetFocus());
        }
        SendMessageA(dialogWindow(), WM_HOTKEY, hotKeyEscape, 0);
        return true;
    };
    click(aEditorWindow::addButton);
    aEventDialog* dialog = editor->eventDialog();
    EXPECT_EQ((std::vector<HWND>{dialog->field(aEventDialog::commandField), dialog->field(aEventDialog::browseButton),
                                 dialog->field(aEventDialog::okButton), dialog->field(aEventDialog::cancelButton),
                                 dialog->field(aEventDialog::eventField)}),
              visited);
}

TEST_F(editorWindowTest, theListsOwnDelKeyAsksAndLeavesTheSelectionWhereItWas) {
    storeEvents({"07:30 a", "08:00 b", "09:00 c"});
    open();
    select(1);
    SetFocus(editor->list());
    boxes.setAnswer(IDNO);
    SendMessageA(editor->list(), WM_KEYDOWN, VK_DELETE, 0);
    ASSERT_EQ(1u, boxes.boxes().size());
    EXPECT_EQ("Do you realy want to delete event:\n08:00 b?", boxes.boxes()[0].text);
    EXPECT_EQ(1, SendMessageA(editor->list(), LB_GETCURSEL, 0, 0));
    EXPECT_EQ(3u, storedEvents().size());
}

TEST_F(editorWindowTest, closingTheDialogFromItsCaptionCancels) {
    storeEvents({"18:00 Dinner"});
    open();
    script = [&] {
        if (!dialogOpen()) return false;
        SetWindowTextA(editor->eventDialog()->field(aEventDialog::eventField), "07:30 Never");
        SendMessageA(dialogWindow(), WM_CLOSE, 0, 0);
        return true;
    };
    click(aEditorWindow::addButton);
    EXPECT_FALSE(dialogOpen());
    EXPECT_TRUE(IsWindowEnabled(editor->getHandle()));
    EXPECT_EQ(std::vector<std::string>{"18:00 Dinner"}, storedEvents());
}

TEST_F(editorWindowTest, changingAValueTheClockCannotReadOffersItsCommandApart) {
    storeEvents({"7:05 Wake/alarm.exe"});
    open();
    select(0);
    std::string offered, offeredCommand;
    script = [&] {
        if (!dialogOpen()) return false;
        char text[128];
        GetWindowTextA(editor->eventDialog()->field(aEventDialog::eventField), text, sizeof text);
        offered = text;
        GetWindowTextA(editor->eventDialog()->field(aEventDialog::commandField), text, sizeof text);
        offeredCommand = text;
        SetWindowTextA(editor->eventDialog()->field(aEventDialog::eventField), "07:05 Wake");
        SendMessageA(editor->eventDialog()->field(aEventDialog::okButton), BM_CLICK, 0, 0);
        return true;
    };
    click(aEditorWindow::changeButton);
    EXPECT_EQ("7:05 Wake", offered);
    EXPECT_EQ("alarm.exe", offeredCommand);
    EXPECT_EQ(std::vector<std::string>{"07:05 Wake/alarm.exe"}, storedEvents());
    EXPECT_EQ("7:5|Wake|alarm.exe", asTheClockReadsIt(storedEvents()[0]));
}

TEST_F(editorWindowTest, aValueTooLongForTheClockSurvivesASave) {
    const std::string tooLong = "08:00 " + std::string(1500, 'x');
    storeEvents({tooLong, "09:00 b"});
    open();
    boxes.setAnswer(IDYES);
    select(1); // time order: the long one at 08:00 first
    click(aEditorWindow::deleteButton);
    EXPECT_EQ(std::vector<std::string>{tooLong}, storedEvents());
}
