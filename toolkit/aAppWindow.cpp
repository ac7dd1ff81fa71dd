#include "aAppWindow.h"

aAppWindow::aAppWindow(HINSTANCE instance, const char* title) : aWindow(nullptr, instance, title, WS_POPUP) {
    setSize(65, 65);
}

aAppWindow::~aAppWindow() = default;
