// A day of the clock's life in one run: 172,800 ticks (two a second) through the real window procedure
// with 1024 events, alarms firing and answered, the skin reloaded every 1,000 ticks and the settings
// editor started and ended again and again. Nothing the process holds may grow.
#include "clockFixture.h"
#include "gdiObjects.h"

#include <malloc.h>
#include <psapi.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {
// The lowest free kernel handle slot: the system hands out the lowest free one, so a leak raises it.
unsigned kernelHandleMark() {
    HANDLE probe = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    unsigned mark = static_cast<unsigned>(reinterpret_cast<uintptr_t>(probe));
    CloseHandle(probe);
    return mark;
}

// The same for USER objects (menus share the window handle table).
unsigned userHandleMark() {
    HMENU probe = CreatePopupMenu();
    unsigned mark = static_cast<unsigned>(reinterpret_cast<uintptr_t>(probe)) & 0xFFFF;
    DestroyMenu(probe);
    return mark;
}

// Bytes in use on the runtime's heap.
size_t heapInUse() {
    _HEAPINFO entry = {};
    size_t used = 0;
    while (_heapwalk(&entry) == _HEAPOK)
        if (entry._useflag == _USEDENTRY) used += entry._size;
    return used;
}

struct usage {
    int gdiObjects;
    unsigned kernelMark;
    unsigned userMark;
    size_t heapBytes;
    size_t privateBytes;
};

usage measure() {
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    return {gdiObjectCount(), kernelHandleMark(), userHandleMark(), heapInUse(), memory.PagefileUsage};
}

void print(const char* when, const usage& u) {
    printf("[ usage    ] %-6s GDI objects %d, kernel handle mark %u, USER handle mark %u, heap in use %u bytes, "
           "private bytes %u\n",
           when, u.gdiObjects, u.kernelMark, u.userMark, static_cast<unsigned>(u.heapBytes),
           static_cast<unsigned>(u.privateBytes));
}
} // namespace

class longRunTest : public clockTest {};

TEST_F(longRunTest, aDayOfTicksLeavesNothingBehind) {
    storeSettings({1, 100, 200, 2, "Default"});
    // 1024 events spread over the day, a few of them with a command that cannot start.
    std::vector<std::string> events;
    for (int i = 0; i < 1024; i++) {
        char value[64];
        sprintf(value, "%02d:%02d Event %d%s", (i * 7 / 5) / 60 % 24, (i * 7 / 5) % 60, i, i % 100 == 0 ? "/nothere.exe" : "");
        events.push_back(value);
    }
    for (size_t i = 0; i < events.size(); i++)
        writeText(eventsKeyPath, ("Event" + std::to_string(i)).c_str(), events[i].c_str());
    writeNumber(eventsKeyPath, "Count", 1024);
    copyFile(testProgram("fakeEditor.exe"), folder.file("Plannery.exe"));
    startClock();
    ShowWindow(clock->handle(), SW_SHOW);

    const int ticks = 172800;
    auto tickAt = [&](int i) {
        const int second = i / 2;
        at(second / 3600, second / 60 % 60, second % 60);
        tick();
        pump();
        if (!boxes.boxes().empty()) boxes.forget();
        if (i % 1000 == 999) command(194);
        if (i % 20000 == 10000) {
            DeleteFileA(folder.file("editor-stop").c_str());
            command(196);
        }
        if (i % 20000 == 10100) writeFile(folder.file("editor-stop"), "");
    };
    // A warm-up hour first: the first paint, reload and editor make the buffers they keep.
    int i = 0;
    for (; i < 7200 + 10200; i++) tickAt(i);
    const usage start = measure();
    const size_t boxesAtStart = boxes.answered;
    const DWORD startedAt = GetTickCount();
    for (; i < ticks; i++) tickAt(i);
    const DWORD elapsed = GetTickCount() - startedAt;
    writeFile(folder.file("editor-stop"), "");
    Sleep(200);
    tick();
    pump();
    const usage end = measure();

    print("start", start);
    print("end", end);
    printf("[ usage    ] %d ticks in %lu ms, %u alarm boxes answered\n", ticks - 17400, elapsed,
           static_cast<unsigned>(boxes.answered - boxesAtStart));
    EXPECT_GT(boxes.answered - boxesAtStart, 800u) << "the alarms fired";
    EXPECT_EQ(start.gdiObjects, end.gdiObjects);
    EXPECT_EQ(start.kernelMark, end.kernelMark);
    EXPECT_EQ(start.userMark, end.userMark);
    EXPECT_EQ(start.heapBytes, end.heapBytes);
}
