#pragma once
#include "aWindow.h"

// The hidden application window: a 65 by 65 popup that is never shown and has no behaviour of its own.
class aAppWindow : public aWindow {
public:
    aAppWindow(HINSTANCE instance, const char* title);
    ~aAppWindow() override;
};
