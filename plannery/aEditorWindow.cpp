#include "aEditorWindow.h"

#include "aEventDialog.h"
#include "eventStore.h"
#include "eventText.h"
#include "loadText.h"
#include "resource.h"

#include <cstdio>

namespace {
// The button shows the text before the tab; the key after it works all the same.
std::string buttonText(int id) {
    std::string text = loadText(id);
    return text.substr(0, text.find('\t'));
}

std::string rowOf(const std::string& value) {
    eventParts parts = splitStoredEvent(value);
    if (!parts.understood) return value + "\t(not understood by the clock)\t";
    return parts.time + "\t" + parts.message + "\t" + parts.command;
}

HWND makeControl(HWND parent, const char* type, const std::string& text, DWORD style, int id, int x, int y, int w,
                 int h, HFONT font) {
    HWND control = CreateWindowExA(0, type, text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}
} // namespace

aEditorWindow::aEditorWindow(HINSTANCE instance)
    : aWindow(nullptr, instance, loadText(textEditorCaption), WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX),
      dialog(nullptr), font(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))) {
    setSize(520, 340);
    setPosition(120, 120);
    HWND events = makeControl(hwnd, "LISTBOX", "", WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY |
                                                       LBS_USETABSTOPS | LBS_WANTKEYBOARDINPUT | LBS_NOINTEGRALHEIGHT,
                              eventList, 10, 10, 380, 290, font);
    int tabs[] = {30, 150};
    SendMessageA(events, LB_SETTABSTOPS, 2, reinterpret_cast<LPARAM>(tabs));
    makeControl(hwnd, "BUTTON", buttonText(textEditorAdd), WS_TABSTOP, addButton, 400, 10, 100, 26, font);
    makeControl(hwnd, "BUTTON", buttonText(textEditorChange), WS_TABSTOP, changeButton, 400, 42, 100, 26, font);
    makeControl(hwnd, "BUTTON", buttonText(textEditorDelete), WS_TABSTOP, deleteButton, 400, 74, 100, 26, font);
    dialog = new aEventDialog(this, instance);
    values = readStoredEvents();
    sortByTime(values);
    showEvents(0);
}

aEditorWindow::~aEditorWindow() { delete dialog; }

void aEditorWindow::showEvents(int select) {
    SendMessageA(list(), LB_RESETCONTENT, 0, 0);
    for (const std::string& value : values)
        SendMessageA(list(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(rowOf(value).c_str()));
    if (!values.empty()) SendMessageA(list(), LB_SETCURSEL, select < static_cast<int>(values.size()) ? select : 0, 0);
}

int aEditorWindow::selected() const { return static_cast<int>(SendMessageA(list(), LB_GETCURSEL, 0, 0)); }

void aEditorWindow::save(int select) {
    sortByTime(values);
    if (!writeStoredEvents(values))
        MessageBoxA(hwnd, "The events could not be saved.", loadText(textEditorCaption), MB_OK | MB_ICONERROR);
    showEvents(select);
}

void aEditorWindow::addEvent() {
    if (values.size() >= maxEditorEvents) {
        MessageBoxA(hwnd, "The clock holds at most 1024 events: delete one first.", loadText(textEditorCaption),
                    MB_OK | MB_ICONWARNING);
        return;
    }
    std::string line = loadText(textEditorDefaultEvent), command;
    if (!dialog->edit(line, command)) return;
    std::string time, message;
    splitEventLine(line, &time, &message);
    const std::string value = composeEvent(time, message, command);
    values.push_back(value);
    sortByTime(values);
    int position = 0;
    for (size_t i = 0; i < values.size(); i++)
        if (values[i] == value) position = static_cast<int>(i);
    save(position);
}

void aEditorWindow::changeEvent() {
    const int index = selected();
    if (index < 0 || index >= static_cast<int>(values.size())) return;
    eventParts parts = splitStoredEvent(values[index]);
    std::string line = eventLineOf(parts), command = parts.command;
    if (!parts.understood) {
        // A value the clock cannot read is offered as it is, to be mended; its command stays a command.
        const size_t slash = values[index].rfind('/');
        line = values[index].substr(0, slash);
        command = slash == std::string::npos ? "" : values[index].substr(slash + 1);
    }
    if (!dialog->edit(line, command)) return;
    std::string time, message;
    splitEventLine(line, &time, &message);
    values[index] = composeEvent(time, message, command);
    save(index);
}

void aEditorWindow::deleteEvent() {
    const int index = selected();
    if (index < 0 || index >= static_cast<int>(values.size())) return;
    char question[maxEventValue + 256];
    snprintf(question, sizeof question, loadText(textEditorConfirmDelete), values[index].c_str());
    char caption[256];
    snprintf(caption, sizeof caption, "%s", loadText(textEditorCaption));
    if (MessageBoxA(hwnd, question, caption, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    values.erase(values.begin() + index);
    save(index);
}

void aEditorWindow::onControlCommand(int id, int code, LPARAM) {
    if (id == eventList && code == LBN_DBLCLK) changeEvent();
    if (code != BN_CLICKED) return;
    if (id == addButton) addEvent();
    if (id == changeButton) changeEvent();
    if (id == deleteButton) deleteEvent();
    // Back to the list, so that Ins, Enter and Del keep working after a click.
    SetFocus(list());
}

int aEditorWindow::onMessage(HWND, UINT message, WPARAM wParam, LPARAM) {
    // The list's keys reach its parent: Ins, Enter and Del act as the three buttons.
    if (message != WM_VKEYTOITEM) return 0;
    switch (LOWORD(wParam)) {
    case VK_INSERT:
        addEvent();
        break;
    case VK_RETURN:
        changeEvent();
        break;
    case VK_DELETE:
        deleteEvent();
        break;
    }
    // Always "not handled": DefWindowProc then answers -1 and the list does its own (empty) handling of
    // these keys. A handled message would answer 0, which moves the list's selection to the first row.
    return 0;
}
