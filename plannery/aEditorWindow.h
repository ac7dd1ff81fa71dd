#pragma once
#include "aWindow.h"

#include <string>
#include <vector>

class aEventDialog;

// The main window of the settings editor: the events in time order, and Add, Change and Delete.
class aEditorWindow : public aWindow {
public:
    enum { eventList = 201, addButton = 202, changeButton = 203, deleteButton = 204 };

    aEditorWindow(HINSTANCE instance);
    ~aEditorWindow() override;

    void onControlCommand(int id, int code, LPARAM control) override;
    int onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

    void addEvent();
    void changeEvent();
    void deleteEvent();

    const std::vector<std::string>& events() const { return values; }
    aEventDialog* eventDialog() const { return dialog; }
    HWND list() const { return GetDlgItem(hwnd, eventList); }

private:
    void showEvents(int select);
    void save(int select);
    int selected() const;

    std::vector<std::string> values; // as stored, in time order
    aEventDialog* dialog;
    HFONT font;
};
