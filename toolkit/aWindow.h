#pragma once
#include <windows.h>

class aWindow;

// The window tables: entry k belongs to the window whose registration set classCounter to k + 1.
const int maxToolkitWindows = 65536;
extern int classCounter;
extern HWND handleTable[maxToolkitWindows];
extern aWindow* objectTable[maxToolkitWindows];

// The one window procedure of every toolkit class.
LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Hot keys of the modal mode.
const int hotKeyTab = 1000;
const int hotKeyEnter = 1001;
const int hotKeyEscape = 1002;

// Base of every toolkit window: registers a class of its own, creates the system window and turns its
// messages into calls of the virtual handlers below (whose order is fixed).
class aWindow {
public:
    static const int maxTabStops = 1024;

    aWindow(aWindow* parent, HINSTANCE instance, const char* title, DWORD style);
    aWindow(const aWindow&) = delete;
    aWindow& operator=(const aWindow&) = delete;

    virtual void onDestroy() {}
    virtual void onPaint(HDC) {}
    virtual void onKeyDown(int) {}
    virtual void onMouseMove(int, int, int) {}
    virtual void onButtonDown(int, int, int) {}
    virtual void onDoubleClick(int, int, int) {}
    virtual void onButtonUp(int, int, int) {}
    virtual void onTimer(int) {}
    virtual void onCommand(int) {}
    virtual void onControlCommand(int, int, LPARAM) {}
    virtual int onMessage(HWND, UINT, WPARAM, LPARAM) { return 0; }
    virtual void onShow() {}
    virtual void onMouseWheel(int, int, int) {}
    virtual void onFocusCycle(HWND) {}
    virtual ~aWindow();

    void show(int command);
    void setMain();
    UINT_PTR setTimer(int id, int milliseconds);
    void setSize(int width, int height);
    void setPosition(int x, int y);
    void getPosition(int* x, int* y);
    void showModal();
    void addTabStop(HWND window);

    HWND getHandle() const { return hwnd; }
    const char* getClassName() const { return className; }

protected:
    char* title;
    char className[256];
    HWND prevActive;
    HWND* tabList;
    HINSTANCE instance;
    int isMain;
    int tabCount;
    int posX, posY;
    aWindow* parent;
    HWND hwnd;

private:
    friend LRESULT dispatch(aWindow* window, HWND handle, UINT message, WPARAM wParam, LPARAM lParam);
    void cycleFocus();
    void closeWindow();
};

// Maps one message to the window's handler and gives the message's result.
LRESULT dispatch(aWindow* window, HWND handle, UINT message, WPARAM wParam, LPARAM lParam);
