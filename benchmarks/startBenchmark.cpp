#include "startBenchmark.h"

#include "processRunner.h"
#include "registrySandbox.h"

namespace {
// Where both programs show their face (the stored position of the clock, the floor's own), and the point
// of the face that is watched: 23 pixels left of the centre, beyond the reach of the longest hand (22).
const int faceLeft = 300;
const int faceTop = 300;
const int watchX = 8;
const int watchY = 31;

COLORREF screenPixel() {
    HDC screen = GetDC(nullptr);
    COLORREF colour = GetPixel(screen, faceLeft + watchX, faceTop + watchY);
    ReleaseDC(nullptr, screen);
    return colour;
}

// The colour the watched point has in the Default skin's face.
COLORREF faceColour(const std::string& installFolder) {
    std::string path = installFolder + "\\Skins\\Default\\Main.bmp";
    HBITMAP face =
        static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ kept = SelectObject(memory, face);
    COLORREF colour = GetPixel(memory, watchX, watchY);
    SelectObject(memory, kept);
    DeleteDC(memory);
    DeleteObject(face);
    return colour;
}

// Microseconds from CreateProcess to the face on the screen; a negative figure when it never came.
double timeStart(const std::string& program, const std::string& folder, COLORREF face) {
    // The point must change when the face comes, or the start could not be seen.
    if (!waitUntil([&] { return screenPixel() != face; }, 5000)) return -1;
    const double start = microsecondsNow();
    runningProgram running(program, folder);
    double shown = -1;
    if (running.started()) {
        const DWORD startTicks = GetTickCount();
        while (GetTickCount() - startTicks < 10000) {
            if (screenPixel() == face) {
                shown = microsecondsNow() - start;
                break;
            }
            Sleep(1);
        }
    }
    // An orderly end: the clock saves its settings and removes its tray icon.
    HWND window = findProcessWindow(running.id(), "", true);
    if (window != nullptr) PostMessageA(window, WM_CLOSE, 0, 0);
    running.waitForExit(5000);
    return shown;
}
} // namespace

pairedFigures measureStarts(const std::string& installFolder, const std::string& floorProgram,
                            const benchmarkPlan& plan) {
    storeSettings();
    const COLORREF face = faceColour(installFolder);
    const std::string clock = installFolder + "\\Bellwick.exe";
    // A warm-up start of each, so that both find the system's files in the cache.
    timeStart(clock, installFolder, face);
    timeStart(floorProgram, installFolder, face);
    std::vector<double> measured;
    std::vector<double> floor;
    for (int i = 0; i < plan.startRounds; i++) {
        double clockFigure = timeStart(clock, installFolder, face);
        double floorFigure = timeStart(floorProgram, installFolder, face);
        if (clockFigure >= 0) measured.push_back(clockFigure);
        if (floorFigure >= 0) floor.push_back(floorFigure);
    }
    deleteTree("Software\\Quorvane\\Bellwick");
    return {summarize(measured), summarize(floor)};
}
