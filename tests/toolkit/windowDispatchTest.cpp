// The window base: class registration, the window tables and the mapping of messages to handlers.
#include "aAppWindow.h"
#include "recordingWindow.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {
int tableIndexOf(HWND window) {
    for (int k = 0; k < classCounter; k++)
        if (handleTable[k] == window) return k;
    return -1;
}

// The edit controls' own focus notifications are left out: only the focus cycle's handler counts here.
std::vector<std::string> focusCycleCalls(const std::vector<std::string>& calls) {
    std::vector<std::string> kept;
    for (const std::string& call : calls)
        if (call.rfind("onFocusCycle", 0) == 0) kept.push_back(call);
    return kept;
}

bool takePosted(HWND window, UINT message, MSG* found) {
    return PeekMessageA(found, window, message, message, PM_REMOVE) != 0;
}
} // namespace

TEST(windowClassTest, firstAndSecondWindowsGetEndingsOneAndTwoAndTableEntriesZeroAndOne) {
    ASSERT_EQ(0, classCounter);
    recordingWindow first;
    recordingWindow second;
    EXPECT_STREQ("aWinClass1", first.getClassName());
    EXPECT_STREQ("aWinClass2", second.getClassName());
    EXPECT_EQ(first.getHandle(), handleTable[0]);
    EXPECT_EQ(&first, objectTable[0]);
    EXPECT_EQ(second.getHandle(), handleTable[1]);
    EXPECT_EQ(&second, objectTable[1]);
    char name[64];
    GetClassNameA(second.getHandle(), name, sizeof name);
    EXPECT_STREQ("aWinClass2", name);
}

TEST(windowClassTest, classNamesCountInLowercaseHexadecimal) {
    std::vector<std::unique_ptr<recordingWindow>> windows;
    for (int i = 0; i < 16; i++) windows.emplace_back(new recordingWindow());
    EXPECT_STREQ("aWinClass9", windows[8]->getClassName());
    EXPECT_STREQ("aWinClassa", windows[9]->getClassName());
    EXPECT_STREQ("aWinClassf", windows[14]->getClassName());
    EXPECT_STREQ("aWinClass10", windows[15]->getClassName());
}

TEST(windowClassTest, registeredClassCarriesTheToolkitProcedureStyleAndBrush) {
    recordingWindow window;
    WNDCLASSA info;
    ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), window.getClassName(), &info));
    EXPECT_EQ(0x000Bu, info.style);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(windowProc), info.lpfnWndProc);
    EXPECT_EQ(GetStockObject(LTGRAY_BRUSH), info.hbrBackground);
    EXPECT_EQ(WS_EX_CONTROLPARENT, GetWindowLongA(window.getHandle(), GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
    char text[64];
    GetWindowTextA(window.getHandle(), text, sizeof text);
    EXPECT_STREQ("recorder", text);
}

struct dispatchRow {
    const char* name;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    std::vector<std::string> calls;
    LRESULT result;
};

void PrintTo(const dispatchRow& row, std::ostream* out) { *out << row.name; }

class dispatchTableTest : public ::testing::TestWithParam<dispatchRow> {};

TEST_P(dispatchTableTest, callsItsHandlerWithTheUnpackedArguments) {
    const dispatchRow& row = GetParam();
    recordingWindow window;
    window.watchedMessage = WM_USER + 100;
    window.calls.clear();
    LRESULT result = SendMessageA(window.getHandle(), row.message, row.wParam, row.lParam);
    EXPECT_EQ(row.calls, window.calls);
    EXPECT_EQ(row.result, result);
}

INSTANTIATE_TEST_SUITE_P(
    messages, dispatchTableTest,
    ::testing::Values(
        dispatchRow{"keyDown", WM_KEYDOWN, 'Q', 0, {"onKeyDown(81)"}, 0},
        dispatchRow{"timer", WM_TIMER, 42, 0, {"onTimer(42)"}, 0},
        dispatchRow{"command", WM_COMMAND, MAKEWPARAM(197, 3), 1234, {"onCommand(197)", "onControlCommand(197,3,1234)"}, 0},
        dispatchRow{"menuCommand", WM_COMMAND, 180, 0, {"onCommand(180)", "onControlCommand(180,0,0)"}, 0},
        dispatchRow{"mouseMove", WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 20), {"onMouseMove(1,10,20)"}, 0},
        dispatchRow{"negativeCoordinates", WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-1, -30), {"onMouseMove(1,65535,65506)"}, 0},
        dispatchRow{"leftDown", WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(3, 4), {"onButtonDown(5,3,4)"}, 0},
        dispatchRow{"rightDown", WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 6), {"onButtonDown(2,5,6)"}, 0},
        dispatchRow{"middleDown", WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(7, 8), {"onButtonDown(16,7,8)"}, 0},
        dispatchRow{"leftUp", WM_LBUTTONUP, 0, MAKELPARAM(1, 2), {"onButtonUp(0,1,2)"}, 0},
        dispatchRow{"rightUp", WM_RBUTTONUP, 0, MAKELPARAM(1, 2), {"onButtonUp(0,1,2)"}, 0},
        dispatchRow{"middleUp", WM_MBUTTONUP, MK_CONTROL, MAKELPARAM(1, 2), {"onButtonUp(8,1,2)"}, 0},
        dispatchRow{"leftDouble", WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(9, 9), {"onDoubleClick(1,9,9)"}, 0},
        dispatchRow{"rightDouble", WM_RBUTTONDBLCLK, MK_RBUTTON, MAKELPARAM(9, 9), {"onDoubleClick(2,9,9)"}, 0},
        dispatchRow{"middleDouble", WM_MBUTTONDBLCLK, MK_MBUTTON, MAKELPARAM(9, 9), {"onDoubleClick(16,9,9)"}, 0},
        dispatchRow{"wheel", WM_MOUSEWHEEL, MAKEWPARAM(0, -120), MAKELPARAM(-5, 300), {"onMouseWheel(-120,-5,300)"}, 0},
        dispatchRow{"shown", WM_SHOWWINDOW, 1, 0, {"onShow()"}, 0},
        dispatchRow{"hidden", WM_SHOWWINDOW, 0, 0, {}, 0},
        dispatchRow{"initDialog", WM_INITDIALOG, 0, 0, {}, 0},
        dispatchRow{"destroyMessage", WM_DESTROY, 0, 0, {"onDestroy()"}, 0},
        dispatchRow{"unknownHotKey", WM_HOTKEY, 5, 0, {}, 0},
        dispatchRow{"other", WM_USER + 100, 0, 0, {"onMessage(1124)"}, 0}),
    [](const ::testing::TestParamInfo<dispatchRow>& info) { return std::string(info.param.name); });

TEST(dispatchTest, paintGetsAWindowDeviceContextAndValidatesTheUpdateRegion) {
    recordingWindow window("painted", WS_POPUP | WS_VISIBLE);
    SetWindowPos(window.getHandle(), nullptr, 0, 0, 40, 40, SWP_NOMOVE | SWP_NOZORDER);
    InvalidateRect(window.getHandle(), nullptr, FALSE);
    window.calls.clear();
    SendMessageA(window.getHandle(), WM_PAINT, 0, 0);
    EXPECT_EQ(std::vector<std::string>{"onPaint(1)"}, window.calls);
    RECT update;
    EXPECT_FALSE(GetUpdateRect(window.getHandle(), &update, FALSE));
}

TEST(dispatchTest, unhandledMessagesGetTheDefaultProceduresResultHandledOnesZero) {
    recordingWindow window("twelve chars");
    window.messageResult = 0;
    EXPECT_EQ(12, SendMessageA(window.getHandle(), WM_GETTEXTLENGTH, 0, 0));
    window.messageResult = 1;
    EXPECT_EQ(0, SendMessageA(window.getHandle(), WM_GETTEXTLENGTH, 0, 0));
}

TEST(dispatchTest, aWindowNotInTheTableGoesToTheDefaultProcedure) {
    HWND foreign = CreateWindowExA(0, "STATIC", "not ours", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(8, windowProc(foreign, WM_GETTEXTLENGTH, 0, 0));
    DestroyWindow(foreign);
}

TEST(dispatchTest, hotKeysForEnterAndEscapeComeBackAsPostedKeyDowns) {
    recordingWindow window;
    const struct {
        WPARAM hotKey;
        WPARAM key;
    } table[] = {{hotKeyEnter, VK_RETURN}, {hotKeyEscape, VK_ESCAPE}};
    for (const auto& row : table) {
        EXPECT_EQ(0, SendMessageA(window.getHandle(), WM_HOTKEY, row.hotKey, 0));
        MSG posted;
        ASSERT_TRUE(takePosted(window.getHandle(), WM_KEYDOWN, &posted));
        EXPECT_EQ(row.key, posted.wParam);
        EXPECT_EQ(0, posted.lParam);
    }
}

TEST(closeTest, mainWindowPostsQuitAndStays) {
    recordingWindow window;
    window.setMain();
    EXPECT_EQ(0, SendMessageA(window.getHandle(), WM_CLOSE, 0, 0));
    MSG posted;
    EXPECT_TRUE(PeekMessageA(&posted, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_TRUE(IsWindow(window.getHandle()));
}

TEST(closeTest, otherWindowHidesReenablesItsPredecessorAndStays) {
    recordingWindow owner("owner", WS_POPUP | WS_VISIBLE);
    SetActiveWindow(owner.getHandle());
    recordingWindow dialog("dialog");
    dialog.showModal();
    EXPECT_EQ(owner.getHandle(), dialog.previousActive());
    EXPECT_FALSE(IsWindowEnabled(owner.getHandle()));
    EXPECT_TRUE(IsWindowVisible(dialog.getHandle()));

    EXPECT_EQ(0, SendMessageA(dialog.getHandle(), WM_CLOSE, 0, 0));
    EXPECT_TRUE(IsWindow(dialog.getHandle()));
    EXPECT_FALSE(IsWindowVisible(dialog.getHandle()));
    EXPECT_TRUE(IsWindowEnabled(owner.getHandle()));
    MSG posted;
    EXPECT_FALSE(PeekMessageA(&posted, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST(modalTest, showModalHoldsTheThreeHotKeysUntilClosed) {
    recordingWindow dialog("dialog");
    recordingWindow other("other");
    dialog.showModal();
    // While the dialog holds them, nobody else can register Tab, Enter or Escape.
    for (UINT key : {VK_TAB, VK_RETURN, VK_ESCAPE}) EXPECT_FALSE(RegisterHotKey(other.getHandle(), 1, 0, key)) << key;
    SendMessageA(dialog.getHandle(), WM_CLOSE, 0, 0);
    for (UINT key : {VK_TAB, VK_RETURN, VK_ESCAPE}) {
        EXPECT_TRUE(RegisterHotKey(other.getHandle(), 1, 0, key)) << key;
        UnregisterHotKey(other.getHandle(), 1);
    }
}

class focusCycleTest : public ::testing::Test {
protected:
    void SetUp() override {
        dialog.reset(new recordingWindow("dialog", WS_POPUP | WS_VISIBLE));
        for (int i = 0; i < 4; i++)
            fields[i] = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, i * 20, 100, 18,
                                        dialog->getHandle(), nullptr, nullptr, nullptr);
        SetForegroundWindow(dialog->getHandle());
        SetActiveWindow(dialog->getHandle());
        dialog->calls.clear();
    }
    std::unique_ptr<recordingWindow> dialog;
    HWND fields[4];
};

TEST_F(focusCycleTest, movesToTheNextStopAndFromTheLastBackToTheFirst) {
    for (int i = 0; i < 3; i++) dialog->addTabStop(fields[i]);
    SetFocus(fields[0]);
    SendMessageA(dialog->getHandle(), WM_HOTKEY, hotKeyTab, 0);
    EXPECT_EQ(fields[1], GetFocus());
    SetFocus(fields[2]);
    SendMessageA(dialog->getHandle(), WM_HOTKEY, hotKeyTab, 0);
    EXPECT_EQ(fields[0], GetFocus());
    EXPECT_EQ((std::vector<std::string>{"onFocusCycle(" + std::to_string(reinterpret_cast<long long>(fields[1])) + ")",
                                        "onFocusCycle(" + std::to_string(reinterpret_cast<long long>(fields[0])) + ")"}),
              focusCycleCalls(dialog->calls));
}

TEST_F(focusCycleTest, focusOutsideTheListMovesToTheNextWindowWithoutTheHandler) {
    dialog->addTabStop(fields[0]);
    dialog->addTabStop(fields[1]);
    SetFocus(fields[2]);
    SendMessageA(dialog->getHandle(), WM_HOTKEY, hotKeyTab, 0);
    EXPECT_EQ(GetWindow(fields[2], GW_HWNDNEXT), GetFocus());
    EXPECT_TRUE(focusCycleCalls(dialog->calls).empty());
}

TEST_F(focusCycleTest, withoutTabStopsNothingMoves) {
    SetFocus(fields[1]);
    SendMessageA(dialog->getHandle(), WM_HOTKEY, hotKeyTab, 0);
    EXPECT_EQ(fields[1], GetFocus());
}

TEST(windowOperationsTest, setSizeAndSetPositionChangeOnlyTheirPartAndRecordThePosition) {
    recordingWindow window;
    window.setSize(65, 65);
    window.setPosition(-30, 40);
    RECT r;
    GetWindowRect(window.getHandle(), &r);
    EXPECT_EQ(-30, r.left);
    EXPECT_EQ(40, r.top);
    EXPECT_EQ(65, r.right - r.left);
    EXPECT_EQ(65, r.bottom - r.top);
    EXPECT_EQ(-30, window.positionX());
    EXPECT_EQ(40, window.positionY());
    int x = 0, y = 0;
    window.getPosition(&x, &y);
    EXPECT_EQ(-30, x);
    EXPECT_EQ(40, y);
}

TEST(windowOperationsTest, showPostsAMoveWithTheWindowsCorner) {
    recordingWindow window;
    window.setSize(65, 65);
    window.setPosition(-30, 40);
    MSG stale;
    while (takePosted(window.getHandle(), WM_MOVE, &stale)) {
    }
    window.show(SW_SHOW);
    EXPECT_TRUE(IsWindowVisible(window.getHandle()));
    MSG posted;
    ASSERT_TRUE(takePosted(window.getHandle(), WM_MOVE, &posted));
    EXPECT_EQ(0u, posted.wParam);
    EXPECT_EQ(static_cast<LPARAM>(-30 + 40 * 65536), posted.lParam);
}

TEST(windowOperationsTest, setTimerDeliversTicksToOnTimer) {
    recordingWindow window;
    EXPECT_NE(0u, window.setTimer(3, 10));
    MSG message;
    DWORD start = GetTickCount();
    while (window.calls.empty() && GetTickCount() - start < 5000) {
        if (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    }
    ASSERT_FALSE(window.calls.empty());
    EXPECT_EQ("onTimer(3)", window.calls[0]);
}

TEST(windowOperationsTest, setMainMarksTheWindow) {
    recordingWindow window;
    EXPECT_EQ(0, window.mainMark());
    window.setMain();
    EXPECT_EQ(1, window.mainMark());
}

namespace {
bool derivedDestroyRan = false;
class destroyWatcher : public aWindow {
public:
    destroyWatcher() : aWindow(nullptr, GetModuleHandleA(nullptr), "watched", WS_POPUP) {}
    void onDestroy() override { derivedDestroyRan = true; }
};
} // namespace

TEST(destructionTest, deletingAWindowDestroysItWithoutTheDerivedDestroyHandlerAndClearsItsEntry) {
    destroyWatcher* window = new destroyWatcher();
    HWND handle = window->getHandle();
    int index = tableIndexOf(handle);
    ASSERT_GE(index, 0);
    derivedDestroyRan = false;
    delete window;
    EXPECT_FALSE(derivedDestroyRan);
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ(nullptr, handleTable[index]);
    EXPECT_EQ(nullptr, objectTable[index]);
}

TEST(destructionTest, theDestroyHandlerRunsWhenTheSystemWindowGoesWhileTheObjectLives) {
    recordingWindow window;
    window.calls.clear();
    DestroyWindow(window.getHandle());
    EXPECT_EQ(std::vector<std::string>{"onDestroy()"}, window.calls);
}

TEST(appWindowTest, isAHidden65By65Popup) {
    aAppWindow window(GetModuleHandleA(nullptr), "Bellwick");
    RECT r;
    GetWindowRect(window.getHandle(), &r);
    EXPECT_EQ(65, r.right - r.left);
    EXPECT_EQ(65, r.bottom - r.top);
    EXPECT_EQ(0, r.left);
    EXPECT_EQ(0, r.top);
    EXPECT_FALSE(IsWindowVisible(window.getHandle()));
    EXPECT_EQ(WS_POPUP, GetWindowLongA(window.getHandle(), GWL_STYLE) & WS_POPUP);
}
