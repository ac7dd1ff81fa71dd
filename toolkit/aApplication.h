#pragma once
#include <windows.h>

class aWindow;

// The root object: records the instance handle, owns the top-level windows and runs the message loop.
class aApplication {
public:
    static const int maxWindows = 65536;

    aApplication(HINSTANCE instance, const char* title);
    aApplication(const aApplication&) = delete;
    aApplication& operator=(const aApplication&) = delete;
    virtual ~aApplication();

    void addWindow(aWindow* window);
    void run();

private:
    char* title;
    int windowCount;
    aWindow* windows[maxWindows];
};
