// The floor of a start and of an idle minute: the least a program must do to show a 65x65 face, read
// from the Default skin of the folder it runs in, and to redraw it twice a second. The benchmark starts it
// as it starts the clock; the idle measure runs it beside the clock.
// Usage: floorClock.exe [x y]   (where the face goes; 300 300 when not given)
#include "floorFace.h"

#include <cstdio>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    int x = 300;
    int y = 300;
    sscanf(commandLine, "%d %d", &x, &y);
    HWND window = createFloorWindow(instance, "Skins\\Default\\Main.bmp", x, y);
    if (window == nullptr) return 2;
    SetTimer(window, 1, 500, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    KillTimer(window, 1);
    destroyFloorWindow(window);
    return 0;
}
