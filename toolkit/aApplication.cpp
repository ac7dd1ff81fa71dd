#include "aApplication.h"

#include "aWindow.h"
#include "loadText.h"

#include <cstring>

aApplication::aApplication(HINSTANCE instance, const char* title) {
    appInstance = instance;
    this->title = new char[strlen(title) + 1];
    strcpy(this->title, title);
    windowCount = 0;
}

aApplication::~aApplication() {
    // Windows go in the order of addition; each one's most derived destructor runs.
    for (int i = 0; i < windowCount; i++) {
        if (windows[i] != nullptr) delete windows[i];
    }
    if (title != nullptr) delete[] title;
}

void aApplication::addWindow(aWindow* window) {
    windows[windowCount] = window;
    windowCount += 1;
}

void aApplication::run() {
    if (windowCount == 0) return;
    MSG message;
    // -1 (an error) counts as a message like any other; only WM_QUIT, 0, ends the loop.
    while (GetMessageA(&message, nullptr, 0, 0) != 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
