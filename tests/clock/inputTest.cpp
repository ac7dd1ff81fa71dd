// Pointer, keyboard, tray and timer input, driven with real messages and the real cursor.
#include "clockFixture.h"

#include "aPopupMenu.h"
#include "aStringList.h"
#include "processRunner.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {
// The popup menu is modal: a thread timer ends it as soon as it shows and remembers what it showed.
RECT openedMenu;
HMENU openedMenuHandle = nullptr;
int menusOpened = 0;

void CALLBACK closeMenu(HWND, UINT, UINT_PTR, DWORD) {
    HWND menu = FindWindowA("#32768", nullptr);
    if (menu == nullptr || !IsWindowVisible(menu)) return;
    GetWindowRect(menu, &openedMenu);
    openedMenuHandle = reinterpret_cast<HMENU>(SendMessageA(menu, MN_GETHMENU, 0, 0));
    menusOpened++;
    EndMenu();
}

const int cmdAlarm = 190, cmdRefresh = 194, cmdHelp = 195, cmdSettings = 196, cmdQuit = 200;
} // namespace

class inputTest : public clockTest {
protected:
    void SetUp() override {
        clockTest::SetUp();
        storeSettings({0, 100, 200, 15, "Default"}); // not on top, at (200,100)
        startClock();
        ShowWindow(clock->handle(), SW_SHOW);
        menusOpened = 0;
        openedMenuHandle = nullptr;
        menuWatch = SetTimer(nullptr, 0, 20, closeMenu);
        pump();
    }
    void TearDown() override {
        stopEditors();
        KillTimer(nullptr, menuWatch);
        clockTest::TearDown();
    }
    RECT windowRect() {
        RECT r;
        GetWindowRect(clock->handle(), &r);
        return r;
    }
    void tray(LPARAM event) { SendMessageA(clock->handle(), aMainWindow::trayMessage, 0, event); }
    // The command the last handler posted, or 0; taken off the queue before anything runs it.
    int postedCommand() {
        MSG message;
        if (!PeekMessageA(&message, clock->handle(), WM_COMMAND, WM_COMMAND, PM_REMOVE)) return 0;
        return static_cast<int>(message.wParam);
    }
    void holdKeys(std::initializer_list<std::pair<int, BYTE>> keys) {
        BYTE state[256] = {};
        for (const auto& key : keys) state[key.first] = key.second;
        SetKeyboardState(state);
    }
    // A plain left drag from one cursor position to another, ended by the release.
    void drag(POINT from, POINT to) {
        SetCursorPos(from.x, from.y);
        send(WM_LBUTTONDOWN, MK_LBUTTON, 0);
        SetCursorPos(to.x, to.y);
        send(WM_MOUSEMOVE, MK_LBUTTON, 0);
        send(WM_LBUTTONUP, 0, 0);
    }

    // Starts a stand-in editor through the Settings command; the test keeps a handle of its own to it.
    HANDLE startEditor() {
        copyFile(testProgram("fakeEditor.exe"), folder.file("Plannery.exe"));
        DeleteFileA(folder.file("editor-stop").c_str());
        const size_t startsBefore = editorStarts();
        command(cmdSettings);
        EXPECT_NE(nullptr, clock->editorProcess.hProcess);
        HANDLE own = nullptr;
        DuplicateHandle(GetCurrentProcess(), clock->editorProcess.hProcess, GetCurrentProcess(), &own, 0,
                        FALSE, DUPLICATE_SAME_ACCESS);
        if (own != nullptr) editors.push_back(own);
        EXPECT_TRUE(waitUntil([&] { return editorStarts() > startsBefore; }, 10000)) << "the editor runs";
        return own;
    }
    size_t editorStarts() {
        const std::string started = readFile(folder.file("editor-started.txt"));
        return static_cast<size_t>(std::count(started.begin(), started.end(), '\n'));
    }
    // Every running stand-in editor ends with this code.
    void stopEditorsWith(const char* exitCode, HANDLE waitFor) {
        writeFile(folder.file("editor-stop"), exitCode);
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(waitFor, 10000));
    }
    void stopEditors() {
        if (editors.empty()) return;
        writeFile(folder.file("editor-stop"), "");
        for (HANDLE editor : editors) {
            WaitForSingleObject(editor, 10000);
            CloseHandle(editor);
        }
        editors.clear();
    }

    // The clock's old handle values name neither the editor's process nor its thread any more: closed
    // (or given again to something new, which a handle still open cannot be).
    static ::testing::AssertionResult handlesClosed(const PROCESS_INFORMATION& old) {
        if (GetProcessId(old.hProcess) == old.dwProcessId) return ::testing::AssertionFailure() << "process open";
        if (GetThreadId(old.hThread) == old.dwThreadId) return ::testing::AssertionFailure() << "thread open";
        return ::testing::AssertionSuccess();
    }

    UINT_PTR menuWatch = 0;
    std::vector<HANDLE> editors;
};

// Dragging

TEST_F(inputTest, aPlainLeftPressCapturesAndEachMoveDragsTheWindowByTheCursorsStep) {
    SetCursorPos(230, 130);
    send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 30));
    EXPECT_EQ(clock->handle(), GetCapture());
    EXPECT_EQ(230, clock->dragX);
    EXPECT_EQ(130, clock->dragY);
    SetCursorPos(240, 135);
    send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(40, 35));
    EXPECT_EQ(210, windowRect().left);
    EXPECT_EQ(105, windowRect().top);
    EXPECT_EQ(240, clock->dragX);
    EXPECT_EQ(135, clock->dragY);
    SetCursorPos(237, 145);
    send(WM_MOUSEMOVE, MK_LBUTTON, 0);
    EXPECT_EQ(207, windowRect().left);
    EXPECT_EQ(115, windowRect().top);
    EXPECT_EQ(65, windowRect().right - windowRect().left) << "the size stays";
    EXPECT_EQ(237, clock->dragX);
    EXPECT_EQ(145, clock->dragY);
    send(WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(nullptr, GetCapture());
}

TEST_F(inputTest, aLeftPressOrMoveWithAnotherKeyOrButtonNeitherCapturesNorMoves) {
    for (WPARAM flags : {MK_LBUTTON | MK_SHIFT, MK_LBUTTON | MK_CONTROL, MK_LBUTTON | MK_RBUTTON}) {
        drag({230, 130}, {230, 130}); // dragX/dragY now hold (230,130), the window is where it was
        SetCursorPos(240, 140);
        send(WM_LBUTTONDOWN, flags, 0);
        EXPECT_EQ(nullptr, GetCapture()) << flags;
        EXPECT_EQ(230, clock->dragX) << flags;
        EXPECT_EQ(130, clock->dragY) << flags;
        SetCursorPos(260, 150);
        send(WM_MOUSEMOVE, flags, 0);
        EXPECT_EQ(200, windowRect().left) << flags;
        EXPECT_EQ(100, windowRect().top) << flags;
        EXPECT_EQ(230, clock->dragX) << flags;
    }
}

TEST_F(inputTest, aLeftMoveWithoutAPressMovesFromWhereTheLastDragLeftTheCursor) {
    drag({230, 130}, {240, 135});
    ASSERT_EQ(210, windowRect().left);
    ASSERT_EQ(105, windowRect().top);
    // The press of this move was outside the window: the clock saw none.
    SetCursorPos(300, 200);
    send(WM_MOUSEMOVE, MK_LBUTTON, 0);
    EXPECT_EQ(270, windowRect().left);
    EXPECT_EQ(170, windowRect().top);
}

TEST_F(inputTest, everyButtonsReleaseEndsTheCapture) {
    const struct {
        UINT up;
        WPARAM flags;
    } table[] = {{WM_LBUTTONUP, 0}, {WM_LBUTTONUP, MK_SHIFT | MK_CONTROL},
                 {WM_RBUTTONUP, 0}, {WM_RBUTTONUP, MK_LBUTTON},
                 {WM_MBUTTONUP, 0}, {WM_MBUTTONUP, MK_RBUTTON}};
    SetCursorPos(230, 130);
    for (const auto& row : table) {
        send(WM_LBUTTONDOWN, MK_LBUTTON, 0);
        ASSERT_EQ(clock->handle(), GetCapture());
        send(row.up, row.flags, 0);
        EXPECT_EQ(nullptr, GetCapture()) << "message " << row.up << ", flags " << row.flags;
    }
}

// The popup menu

TEST_F(inputTest, aPlainRightPressOpensTheMenuWithItsRightEdgeAtTheCursor) {
    SetCursorPos(400, 300);
    send(WM_RBUTTONDOWN, MK_RBUTTON, 0);
    ASSERT_EQ(1, menusOpened);
    EXPECT_EQ(clock->mainMenu->getHandle(), openedMenuHandle);
    EXPECT_EQ(300, openedMenu.top);
    EXPECT_NEAR(400, openedMenu.right, 1);
    EXPECT_LT(openedMenu.left, 400 - 20) << "it opens to the left of the cursor";
}

TEST_F(inputTest, otherPressesOpenNoMenu) {
    SetCursorPos(400, 300);
    const struct {
        UINT message;
        WPARAM flags;
    } table[] = {{WM_RBUTTONDOWN, MK_RBUTTON | MK_CONTROL},
                 {WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT},
                 {WM_RBUTTONDOWN, MK_RBUTTON | MK_LBUTTON},
                 {WM_MBUTTONDOWN, MK_MBUTTON},
                 {WM_LBUTTONDOWN, MK_LBUTTON}};
    for (const auto& row : table) {
        send(row.message, row.flags, 0);
        send(WM_LBUTTONUP, 0, 0);
        pump(); // the menu timer runs
        EXPECT_EQ(0, menusOpened) << "message " << row.message << ", flags " << row.flags;
    }
}

TEST_F(inputTest, withoutAMenuNothingOpens) {
    aPopupMenu* menu = clock->mainMenu;
    clock->mainMenu = nullptr;
    send(WM_RBUTTONDOWN, MK_RBUTTON, 0);
    tray(WM_RBUTTONUP);
    pump();
    clock->mainMenu = menu;
    EXPECT_EQ(0, menusOpened);
}

TEST_F(inputTest, aDoubleClickOfAnyButtonHidesTheFace) {
    for (UINT doubleClick : {WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK}) {
        ShowWindow(clock->handle(), SW_SHOW);
        clock->hidden = 0;
        send(doubleClick, MK_SHIFT, 0);
        EXPECT_FALSE(IsWindowVisible(clock->handle())) << doubleClick;
        EXPECT_EQ(1, clock->hidden) << doubleClick;
    }
}

// The tray icon

TEST_F(inputTest, theTrayIconOpensTheMenuOnARightReleaseAndHidesTheFaceOnADoubleClick) {
    ASSERT_TRUE(clock->trayIconShown);
    SetCursorPos(420, 320);
    for (LPARAM nothing : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_MOUSEMOVE}) {
        tray(nothing);
        EXPECT_EQ(0, postedCommand()) << nothing;
    }
    pump();
    EXPECT_EQ(0, menusOpened);
    EXPECT_TRUE(IsWindowVisible(clock->handle()));

    tray(WM_RBUTTONUP);
    ASSERT_EQ(1, menusOpened);
    EXPECT_EQ(clock->mainMenu->getHandle(), openedMenuHandle);
    EXPECT_EQ(320, openedMenu.top);
    EXPECT_NEAR(420, openedMenu.right, 1);

    tray(WM_LBUTTONDBLCLK);
    EXPECT_TRUE(IsWindowVisible(clock->handle())) << "posted, not run at once";
    pump();
    EXPECT_FALSE(IsWindowVisible(clock->handle()));
    EXPECT_EQ(1, clock->hidden);
}

TEST_F(inputTest, theTrayIsIgnoredWhileItsIconIsNotShown) {
    clock->trayIconShown = false;
    SetCursorPos(420, 320);
    tray(WM_LBUTTONDBLCLK);
    tray(WM_RBUTTONUP);
    EXPECT_EQ(0, postedCommand());
    pump();
    EXPECT_EQ(0, menusOpened);
    EXPECT_TRUE(IsWindowVisible(clock->handle()));
    // The toolkit answers every handled message with 0, so SendMessageA cannot tell: the handler's own
    // answer says that the tray message is taken as handled all the same.
    EXPECT_EQ(1, clock->onMessage(clock->handle(), aMainWindow::trayMessage, 0, WM_LBUTTONDBLCLK));
    EXPECT_EQ(0, postedCommand());
    clock->trayIconShown = true; // the window removes the icon it shows when it goes
}

// Keys

TEST_F(inputTest, theShortcutKeysPostTheirCommands) {
    const BYTE down = 0x80, toggled = 0x01;
    const struct {
        const char* name;
        int key;
        std::initializer_list<std::pair<int, BYTE>> held;
        int command;
    } table[] = {
        {"F5", VK_F5, {}, cmdAlarm},
        {"F5 with Ctrl and Shift", VK_F5, {{VK_CONTROL, down}, {VK_SHIFT, down}}, cmdAlarm},
        {"F1", VK_F1, {}, cmdHelp},
        {"F1 with Ctrl", VK_F1, {{VK_CONTROL, down}}, cmdHelp},
        {"F1 with Shift", VK_F1, {{VK_SHIFT, down}}, cmdHelp},
        {"Ctrl+X", 'X', {{VK_CONTROL, down}}, cmdQuit},
        {"Ctrl+R", 'R', {{VK_CONTROL, down}}, cmdRefresh},
        {"Ctrl+O", 'O', {{VK_CONTROL, down}}, cmdSettings},
        {"X with Control toggled only", 'X', {{VK_CONTROL, toggled}}, cmdQuit},
        {"X", 'X', {}, 0},
        {"R", 'R', {}, 0},
        {"O", 'O', {}, 0},
        {"X with Shift", 'X', {{VK_SHIFT, down}}, 0},
        {"A with Ctrl", 'A', {{VK_CONTROL, down}}, 0},
        {"F2", VK_F2, {}, 0},
        {"F6 with Ctrl", VK_F6, {{VK_CONTROL, down}}, 0},
    };
    for (const auto& row : table) {
        holdKeys(row.held);
        send(WM_KEYDOWN, static_cast<WPARAM>(row.key), 0);
        EXPECT_EQ(row.command, postedCommand()) << row.name;
        EXPECT_EQ(0, postedCommand()) << row.name << ": one command";
    }
    holdKeys({});
}

// The timer

TEST_F(inputTest, everyTickPostsOnePaint) {
    MSG message;
    pump();
    at(10, 0, 5);
    const int ticks = 3;
    for (int i = 0; i < ticks; i++) tick();
    int paints = 0;
    while (paints < 10 && PeekMessageA(&message, clock->handle(), WM_PAINT, WM_PAINT, PM_REMOVE)) paints++;
    EXPECT_EQ(ticks, paints);
}

TEST_F(inputTest, theBlinkingCountsTicksAndEndsOnTheOneThatPassesTwiceItsLength) {
    const int lengths[] = {15, 1, 0, -5};
    at(10, 0, 5); // no alarm falls due
    for (int length : lengths) {
        SCOPED_TRACE("length " + std::to_string(length));
        clock->blinkLength = length;
        command(cmdAlarm);
        ASSERT_EQ(1, clock->alarmActive);
        ASSERT_EQ(0, clock->blinkTicks);
        for (int i = 1; i <= 2 * length; i++) {
            tick();
            ASSERT_EQ(1, clock->alarmActive) << "tick " << i;
            ASSERT_EQ(i, clock->blinkTicks) << "tick " << i;
        }
        const int lastTick = length > 0 ? 2 * length + 1 : 1;
        tick();
        EXPECT_EQ(0, clock->alarmActive);
        EXPECT_EQ(lastTick, clock->blinkTicks);
        tick();
        EXPECT_EQ(lastTick, clock->blinkTicks) << "no longer counted";
    }
}

TEST_F(inputTest, aFreshAlarmBlinksForItsFullLengthWhateverTheCountBefore) {
    // With a box, the posted Alarm runs inside the box's loop and the firing tick counts as the first;
    // without one, it runs after the tick. Either way the face blinks for 31 ticks.
    const struct {
        const char* event;
        const char* box;
    } table[] = {{"07:30 Stand-up", "Stand-up"}, {"07:30 ", nullptr}};
    for (const auto& row : table) {
        SCOPED_TRACE(row.event);
        storeEvents({row.event});
        command(cmdRefresh);
        clock->alarmActive = 0;
        clock->blinkTicks = 29; // an earlier blink's count that the fresh alarm must not inherit
        const size_t boxesBefore = boxes.boxes().size();
        at(7, 30, 0);
        tick();
        pump();
        if (row.box != nullptr) {
            ASSERT_EQ(boxesBefore + 1, boxes.boxes().size());
            EXPECT_EQ(row.box, boxes.boxes().back().text);
        } else {
            EXPECT_EQ(boxesBefore, boxes.boxes().size());
        }
        EXPECT_EQ(1, clock->alarmActive);
        EXPECT_EQ(row.box != nullptr ? 1 : 0, clock->blinkTicks);
        int blinkingTicks = clock->blinkTicks;
        at(7, 30, 1);
        while (clock->alarmActive && blinkingTicks < 100) {
            tick();
            blinkingTicks++;
        }
        EXPECT_EQ(31, blinkingTicks);
    }
}

// The watch over the settings editor

TEST_F(inputTest, anEditorThatEndsIsNoticedOnTheNextTickAndTheEventsAreReadOnce) {
    at(10, 0, 5);
    HANDLE editor = startEditor();
    ASSERT_NE(nullptr, editor);
    for (int i = 0; i < 3; i++) tick();
    EXPECT_NE(nullptr, clock->editorProcess.hProcess) << "still running";
    EXPECT_EQ(0u, clock->eventCount) << "not read while the editor runs";
    const PROCESS_INFORMATION watched = clock->editorProcess;

    storeEvents({"08:00 one", "09:15 two"});
    stopEditorsWith("", editor);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(editor, &code);
    ASSERT_EQ(0u, code);
    tick();
    EXPECT_EQ(nullptr, clock->editorProcess.hProcess);
    EXPECT_EQ(nullptr, clock->editorProcess.hThread);
    ASSERT_EQ(2u, clock->eventCount);
    EXPECT_STREQ("one", clock->eventTexts->get(0));
    EXPECT_STREQ("two", clock->eventTexts->get(1));
    EXPECT_EQ(9, clock->eventHours[1]);
    EXPECT_EQ(15, clock->eventMinutes[1]);
    EXPECT_TRUE(handlesClosed(watched));

    storeEvents({"10:00 later"});
    tick();
    EXPECT_EQ(2u, clock->eventCount) << "read once, not on every tick";
    EXPECT_STREQ("one", clock->eventTexts->get(0));
}

TEST_F(inputTest, anEditorEndingWithCode259IsTakenForStillRunning) {
    at(10, 0, 5);
    HANDLE editor = startEditor();
    ASSERT_NE(nullptr, editor);
    storeEvents({"08:00 one"});
    stopEditorsWith("259", editor);
    tick();
    tick();
    EXPECT_NE(nullptr, clock->editorProcess.hProcess);
    EXPECT_EQ(0u, clock->eventCount);
}

TEST_F(inputTest, aSecondEditorReplacesTheWatchedOne) {
    at(10, 0, 5);
    HANDLE first = startEditor();
    const PROCESS_INFORMATION replaced = clock->editorProcess;
    HANDLE second = startEditor();
    ASSERT_NE(nullptr, first);
    ASSERT_NE(nullptr, second);
    EXPECT_NE(GetProcessId(first), GetProcessId(second));
    EXPECT_EQ(GetProcessId(second), GetProcessId(clock->editorProcess.hProcess));
    EXPECT_TRUE(handlesClosed(replaced)) << "the replaced editor's handles";

    storeEvents({"08:00 one"});
    TerminateProcess(first, 0);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(first, 10000));
    tick();
    EXPECT_NE(nullptr, clock->editorProcess.hProcess) << "the first one's end changes nothing";
    EXPECT_EQ(0u, clock->eventCount);

    stopEditorsWith("", second);
    tick();
    EXPECT_EQ(nullptr, clock->editorProcess.hProcess);
    EXPECT_EQ(1u, clock->eventCount);
}
