#pragma once
#include "aWindow.h"

#include <string>

// The "Event property" dialog: the event's time and message, its command, Browse, Ok and Cancel.
// Shown in the toolkit's modal mode: Tab cycles the fields, Enter is Ok, Escape is Cancel.
class aEventDialog : public aWindow {
public:
    enum { eventField = 101, commandField = 102, browseButton = 103, okButton = IDOK, cancelButton = IDCANCEL };

    aEventDialog(aWindow* owner, HINSTANCE instance);

    // Shows the dialog with the given values until Ok (true, values replaced) or Cancel (false).
    bool edit(std::string& line, std::string& command);

    void onKeyDown(int key) override;
    void onControlCommand(int id, int code, LPARAM control) override;
    int onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

    HWND field(int id) const { return GetDlgItem(hwnd, id); }

private:
    void accept();
    void finish(bool accepted);
    void browse();

    HFONT font;
    bool running;
    bool accepted;
};
