// The clock's benchmark: what a tick, a load of the events, a reload and a start cost, each beside its
// floor (the least that the same work can cost on this machine), in one run. Prints a Markdown table.
// Usage: clockBenchmark.exe [--quick] [installation folder]   (default: ..\install beside this program)
#include "benchmarkedClock.h"
#include "clockTime.h"
#include "floorFace.h"
#include "loadBenchmark.h"
#include "registrySandbox.h"
#include "report.h"
#include "startBenchmark.h"
#include "tickBenchmark.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {
std::string programFolder() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    char* slash = strrchr(path, '\\');
    if (slash != nullptr) *slash = '\0';
    return path;
}

std::string fullPath(const std::string& path) {
    char full[MAX_PATH] = "";
    GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    return full;
}

struct inProcessNotes {
    std::string lines;
    bool failed = false;
};

void addLine(inProcessNotes& notes, const char* format, ...) __attribute__((format(printf, 2, 3)));
void addLine(inProcessNotes& notes, const char* format, ...) {
    char line[512];
    va_list arguments;
    va_start(arguments, format);
    vsnprintf(line, sizeof line, format, arguments);
    va_end(arguments);
    notes.lines += line;
    notes.lines += "\n";
}

// Everything measured inside this process, on a clock with a registry of its own.
// Prints the table's rows; returns the notes that go below the table.
inProcessNotes measureInProcess(const benchmarkPlan& plan, const std::string& installFolder) {
    inProcessNotes notes;
    registrySandbox registry;
    storeSettings();
    std::unique_ptr<benchmarkedClock> clock(new benchmarkedClock(GetModuleHandleA(nullptr), "Bellwick"));
    // The benchmark sends the ticks itself.
    KillTimer(clock->handle(), aMainWindow::tickTimer);
    HWND floor = createFloorWindow(GetModuleHandleA(nullptr),
                                   (installFolder + "\\Skins\\Default\\Main.bmp").c_str(), 400, 300);
    if (floor == nullptr) {
        addLine(notes, "The floor window could not read the Default skin.");
        notes.failed = true;
        return notes;
    }

    // The events lie from an hour ahead on, so none is due while the benchmark runs (a due one would wait
    // for its box to be answered); the ticks at second 0 fall in the hour before them, where every event
    // is compared and none fires.
    const int now = minuteOfDayNow();
    const tickTime systemTime = {false, 0};
    const tickTime secondZero = {true, now + 1};

    pairedFigures idleTicks = measureTicks(*clock, floor, plan, systemTime);
    printRow("Tick, 0 events", idleTicks.measured, idleTicks.floor, "");
    pairedFigures reload = measureReload(*clock, plan);
    printRow("reloadConfig (Refresh), Default skin, 0 events", reload.measured, reload.floor, "< 5 ms");

    storeEvents(1024, now + 60);
    clock->loadEvents();
    pairedFigures busyTicks = measureTicks(*clock, floor, plan, systemTime);
    printRow("Tick, 1024 events", busyTicks.measured, busyTicks.floor, "<= 1.15x floor");
    pairedFigures scanTicks = measureTicks(*clock, floor, plan, secondZero);
    printRow("Tick at second 0, 1024 events compared (time fixed)", scanTicks.measured, scanTicks.floor,
             "<= 1.15x floor");
    pairedFigures events = measureLoadEvents(*clock, plan);
    printRow("loadEvents, 1024 events", events.measured, events.floor, "< 5 ms");
    pairedFigures busyReload = measureReload(*clock, plan);
    printRow("reloadConfig (Refresh), Default skin, 1024 events", busyReload.measured, busyReload.floor,
             "< 5 ms");
    const summary read = measureRegistryRead(plan);
    addLine(notes,
            "One registry read here (RegQueryValueExA of Count, a round trip to Wine's server): "
            "median %.1f us, %.1f - %.1f us; loadEvents of 1024 events makes 1025 of them.",
            read.median, read.low, read.high);

    const int growthTicks = plan.ticks;
    const heldResources before = heldNow();
    runTicks(*clock, growthTicks);
    const heldResources after = heldNow();

    destroyFloorWindow(floor);
    clock.reset();
    setLocalNowForTests(nullptr);
    pumpMessages();
    addLine(notes, "Over %d more ticks with 1024 events: GDI objects %d -> %d, heap in use %u -> %u bytes.",
            growthTicks, before.gdiObjects, after.gdiObjects, static_cast<unsigned>(before.heapBytes),
            static_cast<unsigned>(after.heapBytes));
    // A tick must leave nothing behind: a growth is a fault, whatever the timings.
    if (before.gdiObjects != after.gdiObjects || before.heapBytes != after.heapBytes) notes.failed = true;
    return notes;
}
} // namespace

int main(int argc, char** argv) {
    benchmarkPlan plan;
    std::string installFolder = programFolder() + "\\..\\install";
    for (int i = 1; i < argc; i++) {
        if (strcmp(argv[i], "--quick") == 0)
            plan = {20, 5, 2};
        else
            installFolder = argv[i];
    }
    installFolder = fullPath(installFolder);
    // The clock reads its skins relative to the current folder, as when it is started in its folder.
    if (!SetCurrentDirectoryA(installFolder.c_str())) {
        printf("No installation folder at %s\n", installFolder.c_str());
        return 2;
    }

    printTableHead();
    const inProcessNotes notes = measureInProcess(plan, installFolder);
    pairedFigures starts = measureStarts(installFolder, programFolder() + "\\floorClock.exe", plan);
    printRow("Start of Bellwick.exe to its face on the screen", starts.measured, starts.floor, "< 300 ms");
    printf("\n%s", notes.lines.c_str());
    // The exit code tells whether everything was measured (and nothing grew), never how fast it was.
    const bool startsMeasured = starts.measured.count == static_cast<size_t>(plan.startRounds) &&
                                starts.floor.count == static_cast<size_t>(plan.startRounds);
    if (!startsMeasured) printf("Not every start showed its face within 10 s.\n");
    return notes.failed || !startsMeasured ? 1 : 0;
}
