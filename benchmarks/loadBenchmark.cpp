#include "loadBenchmark.h"

#include "registryKey.h"

#include <cstdio>

namespace {
void floorReadEvents() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, eventsKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    DWORD count = 0;
    DWORD size = sizeof count;
    RegQueryValueExA(key, "Count", nullptr, nullptr, reinterpret_cast<BYTE*>(&count), &size);
    char value[1024];
    for (DWORD i = 0; i < count && i < 1024; i++) {
        char name[32];
        snprintf(name, sizeof name, "Event%lu", i);
        size = sizeof value;
        RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
    }
    RegCloseKey(key);
}

HBITMAP floorMain = nullptr;
HBITMAP floorBlink = nullptr;

void floorReload() {
    floorReadEvents();
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, productKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    DWORD number = 0;
    DWORD size;
    for (const char* name : {"AlwaysOnTop", "TopPos", "LeftPos", "BlinkLength"}) {
        size = sizeof number;
        RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&number), &size);
    }
    char skin[256];
    size = sizeof skin;
    RegQueryValueExA(key, "SkinName", nullptr, nullptr, reinterpret_cast<BYTE*>(skin), &size);
    RegCloseKey(key);

    if (floorMain != nullptr) DeleteObject(floorMain);
    if (floorBlink != nullptr) DeleteObject(floorBlink);
    floorMain = static_cast<HBITMAP>(
        LoadImageA(nullptr, "Skins\\Default\\Main.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    floorBlink = static_cast<HBITMAP>(
        LoadImageA(nullptr, "Skins\\Default\\Blink.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
}

template <typename Measured, typename Floor>
pairedFigures alternate(int rounds, Measured measured, Floor floor) {
    measured();
    floor();
    std::vector<double> measuredSamples;
    std::vector<double> floorSamples;
    for (int i = 0; i < rounds; i++) {
        measuredSamples.push_back(timeOnce(measured));
        floorSamples.push_back(timeOnce(floor));
    }
    return {summarize(measuredSamples), summarize(floorSamples)};
}
} // namespace

pairedFigures measureLoadEvents(benchmarkedClock& clock, const benchmarkPlan& plan) {
    return alternate(plan.loadRounds, [&] { clock.loadEvents(); }, floorReadEvents);
}

pairedFigures measureReload(benchmarkedClock& clock, const benchmarkPlan& plan) {
    pairedFigures figures = alternate(plan.loadRounds, [&] { clock.reloadConfig(false); }, floorReload);
    DeleteObject(floorMain);
    DeleteObject(floorBlink);
    floorMain = floorBlink = nullptr;
    return figures;
}

summary measureRegistryRead(const benchmarkPlan& plan) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, eventsKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return summary();
    std::vector<double> samples;
    for (int i = 0; i < plan.loadRounds * 5; i++) {
        samples.push_back(timeOnce([&] {
            DWORD count = 0;
            DWORD size = sizeof count;
            RegQueryValueExA(key, "Count", nullptr, nullptr, reinterpret_cast<BYTE*>(&count), &size);
        }));
    }
    RegCloseKey(key);
    return summarize(samples);
}
