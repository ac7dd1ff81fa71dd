#include "aEventDialog.h"

#include "eventText.h"
#include "loadText.h"
#include "resource.h"

#include <commdlg.h>
#include <cstring>

namespace {
HWND makeControl(HWND parent, const char* type, const char* text, DWORD style, int id, int x, int y, int w, int h,
                 HFONT font) {
    HWND control = CreateWindowExA(0, type, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

std::string textOf(HWND control) {
    char text[maxEventValue + 64] = "";
    GetWindowTextA(control, text, sizeof text);
    return text;
}
} // namespace

aEventDialog::aEventDialog(aWindow* owner, HINSTANCE instance)
    : aWindow(owner, instance, loadText(textEditorEventCaption), WS_POPUP | WS_CAPTION | WS_SYSMENU),
      font(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))), running(false), accepted(false) {
    setSize(360, 170);
    makeControl(hwnd, "STATIC", loadText(textEditorEventLabel), 0, 0, 10, 10, 330, 16, font);
    HWND event = makeControl(hwnd, "EDIT", "", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, eventField, 10, 28, 330, 22, font);
    makeControl(hwnd, "STATIC", loadText(textEditorCommandLabel), 0, 0, 10, 58, 330, 16, font);
    HWND command = makeControl(hwnd, "EDIT", "", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, commandField, 10, 76, 250, 22, font);
    HWND browseControl = makeControl(hwnd, "BUTTON", loadText(textEditorBrowse), WS_TABSTOP, browseButton, 266, 75, 74, 24, font);
    HWND ok = makeControl(hwnd, "BUTTON", loadText(textEditorOk), WS_TABSTOP | BS_DEFPUSHBUTTON, okButton, 186, 110, 74, 26, font);
    HWND cancel = makeControl(hwnd, "BUTTON", loadText(textEditorCancel), WS_TABSTOP, cancelButton, 266, 110, 74, 26, font);
    for (HWND stop : {event, command, browseControl, ok, cancel}) addTabStop(stop);
}

bool aEventDialog::edit(std::string& line, std::string& command) {
    SetWindowTextA(field(eventField), line.c_str());
    SetWindowTextA(field(commandField), command.c_str());
    RECT ownerRect;
    GetWindowRect(parent->getHandle(), &ownerRect);
    setPosition(ownerRect.left + 40, ownerRect.top + 60);
    showModal();
    SetFocus(field(eventField));
    running = true;
    accepted = false;
    // The dialog's own loop: it ends when Ok or Cancel closes the dialog.
    MSG message;
    while (running) {
        if (GetMessageA(&message, nullptr, 0, 0) <= 0) {
            // The program is ending: the main loop must see the quit as well.
            finish(false);
            PostQuitMessage(0);
            break;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (accepted) {
        line = textOf(field(eventField));
        command = textOf(field(commandField));
    }
    return accepted;
}

void aEventDialog::onKeyDown(int key) {
    if (key == VK_RETURN) accept();
    if (key == VK_ESCAPE) finish(false);
}

int aEventDialog::onMessage(HWND, UINT message, WPARAM, LPARAM) {
    // Closed from its caption (the toolkit hides it): that is a Cancel.
    if (message == WM_WINDOWPOSCHANGED && running && !IsWindowVisible(hwnd)) {
        running = false;
        accepted = false;
    }
    return 0;
}

void aEventDialog::onControlCommand(int id, int code, LPARAM) {
    if (code != BN_CLICKED) return;
    if (id == okButton) accept();
    if (id == cancelButton) finish(false);
    if (id == browseButton) browse();
}

void aEventDialog::accept() {
    const std::string problem = validateEvent(textOf(field(eventField)), textOf(field(commandField)));
    if (!problem.empty()) {
        MessageBoxA(hwnd, problem.c_str(), loadText(textEditorEventCaption), MB_OK | MB_ICONWARNING);
        return;
    }
    finish(true);
}

void aEventDialog::finish(bool accept) {
    if (!running) return;
    accepted = accept;
    running = false;
    // The toolkit's closing leaves the modal mode: the owner is enabled again and the dialog hidden.
    SendMessageA(hwnd, WM_CLOSE, 0, 0);
}

void aEventDialog::browse() {
    char path[MAX_PATH] = "";
    OPENFILENAMEA choice;
    memset(&choice, 0, sizeof choice);
    choice.lStructSize = sizeof choice;
    choice.hwndOwner = hwnd;
    choice.lpstrFilter = "Programs (*.exe;*.bat;*.cmd)\0*.exe;*.bat;*.cmd\0All files\0*.*\0";
    choice.lpstrFile = path;
    choice.nMaxFile = sizeof path;
    choice.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (GetOpenFileNameA(&choice)) SetWindowTextA(field(commandField), path);
}
