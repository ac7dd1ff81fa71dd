#pragma once
// The floor a clock's tick is measured against: a hand-written 65x65 window that makes only the calls a
// tick must make. Its timer message posts a paint; the paint copies a ready bitmap in one block and draws
// three lines with pens made once. Nothing is created or freed while it runs.
#include <windows.h>

// A shown floor window at (x, y) whose face is the picture in bmpPath (a device-dependent bitmap made once);
// null when the picture cannot be read.
HWND createFloorWindow(HINSTANCE instance, const char* bmpPath, int x, int y);
// Frees the window, its bitmap and its pens.
void destroyFloorWindow(HWND window);
