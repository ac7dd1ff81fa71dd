#include "messageBoxWatcher.h"

#include <algorithm>
#include <cstring>

namespace {
thread_local messageBoxWatcher* current = nullptr;
const UINT readBoxMessage = WM_APP + 7;
const char* const helperClass = "boxWatcherHelper";

BOOL CALLBACK findIcon(HWND child, LPARAM found) {
    HICON icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
    if (icon == nullptr) return TRUE;
    *reinterpret_cast<HICON*>(found) = icon;
    return FALSE;
}

UINT iconOf(HWND box) {
    HICON found = nullptr;
    EnumChildWindows(box, findIcon, reinterpret_cast<LPARAM>(&found));
    if (found == nullptr) return 0;
    if (found == LoadIcon(nullptr, IDI_INFORMATION)) return MB_ICONINFORMATION;
    if (found == LoadIcon(nullptr, IDI_WARNING)) return MB_ICONWARNING;
    if (found == LoadIcon(nullptr, IDI_ERROR)) return MB_ICONERROR;
    if (found == LoadIcon(nullptr, IDI_QUESTION)) return MB_ICONQUESTION;
    return 0xFFFFFFFF;
}

bool hasVisibleButton(HWND box, int id) {
    HWND button = GetDlgItem(box, id);
    return button != nullptr && IsWindowVisible(button);
}

UINT buttonsOf(HWND box) {
    const bool yes = hasVisibleButton(box, IDYES), no = hasVisibleButton(box, IDNO);
    const bool ok = hasVisibleButton(box, IDOK), cancel = hasVisibleButton(box, IDCANCEL);
    if (yes && no) return cancel ? MB_YESNOCANCEL : MB_YESNO;
    if (ok && cancel) return MB_OKCANCEL;
    return MB_OK;
}
} // namespace

messageBoxWatcher::messageBoxWatcher(int answer) : answer(answer) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = helperProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = helperClass;
    RegisterClassA(&windowClass);
    helper = CreateWindowExA(0, helperClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, windowClass.hInstance, nullptr);
    current = this;
    hook = SetWindowsHookExA(WH_CBT, cbtHook, nullptr, GetCurrentThreadId());
}

messageBoxWatcher::~messageBoxWatcher() {
    UnhookWindowsHookEx(hook);
    DestroyWindow(helper);
    current = nullptr;
}

LRESULT CALLBACK messageBoxWatcher::cbtHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && current != nullptr) {
        HWND box = reinterpret_cast<HWND>(wParam);
        char name[32] = "";
        GetClassNameA(box, name, sizeof name);
        // The box may still be empty here: it is read once its own loop runs.
        if (strcmp(name, "#32770") == 0) PostMessageA(current->helper, readBoxMessage, wParam, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK messageBoxWatcher::helperProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == readBoxMessage && current != nullptr) {
        current->answerBox(reinterpret_cast<HWND>(wParam));
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void messageBoxWatcher::answerBox(HWND box) {
    if (!IsWindow(box) || std::find(handled.begin(), handled.end(), box) != handled.end()) return;
    handled.push_back(box);
    recordedBox record;
    char buffer[2048] = "";
    GetDlgItemTextA(box, 0xFFFF, buffer, sizeof buffer);
    record.text = buffer;
    GetWindowTextA(box, buffer, sizeof buffer);
    record.caption = buffer;
    record.owner = GetWindow(box, GW_OWNER);
    record.icon = iconOf(box);
    record.buttons = buttonsOf(box);
    seen.push_back(record);
    if (whileOpen) whileOpen(record);
    answered++;
    PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(answer), 0);
}
