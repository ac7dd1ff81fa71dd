// Keeps one GUI process alive during a test run, so that Wine's desktop and tray are not started and
// stopped again with every test. Ends when its window gets WM_CLOSE or the server is stopped.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "bellwickKeepAlive";
    RegisterClassA(&windowClass);
    CreateWindowExA(0, windowClass.lpszClassName, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, instance, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}
