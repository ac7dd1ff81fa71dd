// Pointer, keyboard, tray and timer input, driven with real messages and the real cursor.
#include "clockFixture.h"

#include "aPopupMenu.h"
#include "aStringList.h"
#include "processRunner.h"

#include <string>
#include <vector>

namespace {
// Ends the popup menu as soon as it shows and remembers where it was.
RECT openedMenu;
int menusOpened = 0;

void CALLBACK closeMenu(HWND, UINT, UINT_PTR, DWORD) {
    HWND menu = FindWindowA("#32768", nullptr);
    if (menu == nullptr || !IsWindowVisible(menu)) return;
    GetWindowRect(menu, &openedMenu);
    menusOpened++;
    EndMenu();
}
} // namespace

class inputTest : public clockTest {
protected:
    void SetUp() override {
        clockTest::SetUp();
        storeSettings({0, 100, 200, 15, "Default"});
        startClock();
        ShowWindow(clock->handle(), SW_SHOW);
        menusOpened = 0;
        menuWatch = SetTimer(nullptr, 0, 20, closeMenu);
        pump();
    }
    void TearDown() override {
        KillTimer(nullptr, menuWatch);
        clockTest::TearDown();
    }
    RECT windowRect() {
        RECT r;
        GetWindowRect(clock->handle(), &r);
        return r;
    }
    // The command the last handler posted, or 0.
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
    UINT_PTR menuWatch = 0;
};

TEST_F(inputTest, aPlainLeftPressCapturesAndEachMoveDragsTheWindowByTheCursorsStep) {
    SetCursorPos(230, 130);
    send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 30));
    EXPECT_EQ(clock->handle(), GetCapture());
    EXPECT_EQ(230, clock->dragX);
    EXPECT_EQ(130, clock->dragY);
    SetCursorPos(240, 135);
    send(WM_MOUSEMOVE, MK_LBUTTON, 0);
    EXPECT_EQ(210, windowRect().left);
    EXPECT_EQ(105, windowRect().top);
    EXPECT_EQ(240, clock->dragX);
    EXPECT_EQ(135, clock->dragY);
    SetCursorPos(237, 145);
    send(WM_MOUSEMOVE, MK_LBUTTON, 0);
    EXPECT_EQ(207, windowRect().left);
    EXPECT_EQ(115, windowRect().top);
    EXPECT_EQ(65, windowRect().right - windowRect().left);
    send(WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(nullptr, GetCapture());
}

TEST_F(inputTest, pressesAndMovesWithShiftOrControlNeitherCaptureNorMove) {
    for (WPARAM modifier : {MK_SHIFT, MK_CONTROL}) {
        SetCursorPos(230, 130);
        send(WM_LBUTTONDOWN, MK_LBUTTON | modifier, 0);
        EXPECT_EQ(nullptr, GetCapture()) << modifier;
        SetCursorPos(260, 150);
        send(WM_MOUSEMOVE, MK_LBUTTON | modifier, 0);
        EXPECT_EQ(200, windowRect().left) << modifier;
        EXPECT_EQ(100, windowRect().top) << modifier;
    }
}

TEST_F(inputTest, aMoveWithOnlyTheLeftButtonMovesFromTheLastStoredCursorEvenWithoutAPress) {
    clock->dragX = 500;
    clock->dragY = 400;
    SetCursorPos(510, 420);
    send(WM_MOUSEMOVE, MK_LBUTTON, 0);
    EXPECT_EQ(210, windowRect().left);
    EXPECT_EQ(120, windowRect().top);
}

TEST_F(inputTest, everyButtonsReleaseEndsTheCapture) {
    for (UINT up : {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP}) {
        SetCapture(clock->handle());
        send(up, MK_SHIFT | MK_CONTROL, 0);
        EXPECT_EQ(nullptr, GetCapture()) << up;
    }
}

TEST_F(inputTest, aPlainRightPressOpensTheMenuWithItsRightEdgeAtTheCursor) {
    SetCursorPos(400, 300);
    send(WM_RBUTTONDOWN, MK_RBUTTON, 0);
    ASSERT_EQ(1, menusOpened);
    EXPECT_EQ(300, openedMenu.top);
    EXPECT_NEAR(400, openedMenu.right, 1);
}

TEST_F(inputTest, rightWithControlAndTheMiddleButtonOpenNoMenu) {
    SetCursorPos(400, 300);
    send(WM_RBUTTONDOWN, MK_RBUTTON | MK_CONTROL, 0);
    send(WM_MBUTTONDOWN, MK_MBUTTON, 0);
    send(WM_RBUTTONDOWN, MK_RBUTTON | MK_LBUTTON, 0);
    pump();
    EXPECT_EQ(0, menusOpened);
}

TEST_F(inputTest, withoutAMenuNothingOpens) {
    aPopupMenu* menu = clock->mainMenu;
    clock->mainMenu = nullptr;
    send(WM_RBUTTONDOWN, MK_RBUTTON, 0);
    send(aMainWindow::trayMessage, 0, WM_RBUTTONUP);
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

TEST_F(inputTest, theTrayIconsMessages) {
    SetCursorPos(420, 320);
    for (LPARAM nothing : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_MOUSEMOVE}) {
        SendMessageA(clock->handle(), aMainWindow::trayMessage, 0, nothing);
        EXPECT_EQ(0, postedCommand()) << nothing;
    }
    EXPECT_EQ(0, menusOpened);
    SendMessageA(clock->handle(), aMainWindow::trayMessage, 0, WM_RBUTTONUP);
    EXPECT_EQ(1, menusOpened);
    EXPECT_EQ(320, openedMenu.top);
    SendMessageA(clock->handle(), aMainWindow::trayMessage, 0, WM_LBUTTONDBLCLK);
    EXPECT_EQ(180, postedCommand());
}

TEST_F(inputTest, theTrayIsIgnoredUntilItsIconIsShown) {
    clock->trayIconShown = false;
    SendMessageA(clock->handle(), aMainWindow::trayMessage, 0, WM_LBUTTONDBLCLK);
    EXPECT_EQ(0, postedCommand());
    SendMessageA(clock->handle(), aMainWindow::trayMessage, 0, WM_RBUTTONUP);
    EXPECT_EQ(0, menusOpened);
    clock->trayIconShown = true;
}

TEST_F(inputTest, theShortcutKeysPostTheirCommands) {
    const BYTE down = 0x80, toggled = 0x01;
    const struct {
        const char* name;
        int key;
        std::initializer_list<std::pair<int, BYTE>> held;
        int command;
    } table[] = {
        {"F5", VK_F5, {}, 190},
        {"F5 with Ctrl and Shift", VK_F5, {{VK_CONTROL, down}, {VK_SHIFT, down}}, 190},
        {"F1", VK_F1, {}, 195},
        {"F1 with Ctrl", VK_F1, {{VK_CONTROL, down}}, 195},
        {"F1 with Shift", VK_F1, {{VK_SHIFT, down}}, 195},
        {"Ctrl+X", 'X', {{VK_CONTROL, down}}, 200},
        {"Ctrl+R", 'R', {{VK_CONTROL, down}}, 194},
        {"Ctrl+O", 'O', {{VK_CONTROL, down}}, 196},
        {"X with Control toggled only", 'X', {{VK_CONTROL, toggled}}, 200},
        {"X", 'X', {}, 0},
        {"R", 'R', {}, 0},
        {"O with Shift", 'O', {{VK_SHIFT, down}}, 0},
        {"A with Ctrl", 'A', {{VK_CONTROL, down}}, 0},
        {"F2", VK_F2, {}, 0},
    };
    for (const auto& row : table) {
        holdKeys(row.held);
        send(WM_KEYDOWN, static_cast<WPARAM>(row.key), 0);
        EXPECT_EQ(row.command, postedCommand()) << row.name;
        EXPECT_EQ(0, postedCommand()) << row.name << ": one command";
    }
    holdKeys({});
}

TEST_F(inputTest, everyTickPostsOnePaint) {
    MSG message;
    while (PeekMessageA(&message, clock->handle(), WM_PAINT, WM_PAINT, PM_REMOVE)) {
    }
    at(10, 0, 5);
    tick();
    EXPECT_TRUE(PeekMessageA(&message, clock->handle(), WM_PAINT, WM_PAINT, PM_REMOVE));
}

TEST_F(inputTest, theBlinkingEndsOnTheTickThatPassesTwiceItsLength) {
    const struct {
        int length;
        int ticksBlinking; // ticks after which alarmActive is still set
    } table[] = {{15, 30}, {1, 2}, {0, 0}, {-5, 0}};
    at(10, 0, 5);
    for (const auto& row : table) {
        clock->blinkLength = row.length;
        command(190);
        ASSERT_EQ(1, clock->alarmActive);
        int ticks = 0;
        while (clock->alarmActive && ticks < 100) {
            tick();
            ticks++;
        }
        EXPECT_EQ(row.ticksBlinking + 1, ticks) << "length " << row.length;
        EXPECT_EQ(ticks, clock->blinkTicks) << "length " << row.length;
    }
}

TEST_F(inputTest, aFreshAlarmBlinksForItsFullLengthWhateverTheCountBefore) {
    // With a box, the posted Alarm runs inside the box's loop and the firing tick counts as the first;
    // without one, it runs after the tick. Either way the face blinks for 31 ticks.
    const struct {
        const char* event;
        size_t boxes;
    } table[] = {{"07:30 Stand-up", 1}, {"07:30 ", 0}};
    for (const auto& row : table) {
        storeEvents({row.event});
        command(194);
        clock->alarmActive = 0;
        clock->blinkTicks = 29; // an earlier blink's count that the fresh alarm must not inherit
        const size_t boxesBefore = boxes.boxes().size();
        at(7, 30, 0);
        tick();
        pump();
        EXPECT_EQ(row.boxes, boxes.boxes().size() - boxesBefore) << row.event;
        EXPECT_EQ(1, clock->alarmActive) << row.event;
        int blinkingTicks = clock->blinkTicks; // 1 when the firing tick counted already
        at(7, 30, 1);
        while (clock->alarmActive && blinkingTicks < 100) {
            tick();
            blinkingTicks++;
        }
        EXPECT_EQ(31, blinkingTicks) << row.event;
    }
}

class editorWatchTest : public inputTest {
protected:
    void SetUp() override {
        inputTest::SetUp();
        copyFile(testProgram("fakeEditor.exe"), folder.file("Plannery.exe"));
    }
    void TearDown() override {
        writeFile(folder.file("editor-stop"), "");
        for (HANDLE editor : started) {
            WaitForSingleObject(editor, 5000);
            CloseHandle(editor);
        }
        inputTest::TearDown();
    }
    // Starts an editor through the Settings command and keeps a handle of our own to it.
    HANDLE startEditor() {
        DeleteFileA(folder.file("editor-stop").c_str());
        command(196);
        EXPECT_NE(nullptr, clock->editorProcess.hProcess);
        HANDLE own = nullptr;
        DuplicateHandle(GetCurrentProcess(), clock->editorProcess.hProcess, GetCurrentProcess(), &own, 0, FALSE,
                        DUPLICATE_SAME_ACCESS);
        started.push_back(own);
        return own;
    }
    void endEditors(const char* exitCode, HANDLE editor) {
        writeFile(folder.file("editor-stop"), exitCode);
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(editor, 10000));
    }
    std::vector<HANDLE> started;
};

TEST_F(editorWatchTest, anEditorThatEndsIsNoticedOnTheNextTickAndTheEventsAreReadOnce) {
    at(10, 0, 5);
    HANDLE editor = startEditor();
    tick();
    EXPECT_NE(nullptr, clock->editorProcess.hProcess) << "still running";
    HANDLE process = clock->editorProcess.hProcess, thread = clock->editorProcess.hThread;
    storeEvents({"08:00 one", "09:00 two"});
    endEditors("", editor);
    tick();
    EXPECT_EQ(nullptr, clock->editorProcess.hProcess);
    EXPECT_EQ(nullptr, clock->editorProcess.hThread);
    EXPECT_EQ(2u, clock->eventCount);
    EXPECT_STREQ("two", clock->eventTexts->get(1));
    DWORD flags = 0;
    EXPECT_FALSE(GetHandleInformation(process, &flags)) << "the editor's process handle is closed";
    EXPECT_FALSE(GetHandleInformation(thread, &flags)) << "and its thread handle";
    storeEvents({"10:00 later"});
    tick();
    EXPECT_EQ(2u, clock->eventCount) << "read once, not on every tick";
}

TEST_F(editorWatchTest, anEditorEndingWithCode259IsTakenForStillRunning) {
    at(10, 0, 5);
    HANDLE editor = startEditor();
    endEditors("259", editor);
    tick();
    EXPECT_NE(nullptr, clock->editorProcess.hProcess);
}

TEST_F(editorWatchTest, aSecondEditorReplacesTheWatchedOne) {
    at(10, 0, 5);
    HANDLE first = startEditor();
    HANDLE firstProcess = clock->editorProcess.hProcess;
    HANDLE second = startEditor();
    DWORD flags = 0;
    EXPECT_FALSE(GetHandleInformation(firstProcess, &flags)) << "the replaced editor's handle is closed";
    EXPECT_NE(GetProcessId(first), GetProcessId(second));
    EXPECT_EQ(GetProcessId(second), GetProcessId(clock->editorProcess.hProcess));
    storeEvents({"08:00 one"});
    endEditors("", second);
    WaitForSingleObject(first, 10000);
    tick();
    EXPECT_EQ(nullptr, clock->editorProcess.hProcess);
    EXPECT_EQ(1u, clock->eventCount);
}
