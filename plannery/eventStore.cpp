#include "eventStore.h"

#include "eventText.h"

#include <windows.h>

#include <cstdio>

namespace {
const char* const eventsKeyPath = "Software\\Quorvane\\Bellwick\\Events";

std::string valueName(DWORD index) {
    char name[32];
    sprintf(name, "Event%lu", index);
    return name;
}
} // namespace

std::vector<std::string> readStoredEvents() {
    std::vector<std::string> values;
    HKEY key;
    if (RegOpenKeyA(HKEY_CURRENT_USER, eventsKeyPath, &key) != ERROR_SUCCESS) return values;
    DWORD count = 0, size = sizeof count;
    if (RegQueryValueExA(key, "Count", nullptr, nullptr, reinterpret_cast<BYTE*>(&count), &size) != ERROR_SUCCESS ||
        size != sizeof count)
        count = 0;
    if (count > maxEditorEvents) count = maxEditorEvents;
    for (DWORD i = 0; i < count; i++) {
        char text[maxEventValue + 2] = "";
        DWORD textSize = sizeof text - 1;
        if (RegQueryValueExA(key, valueName(i).c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(text), &textSize) !=
            ERROR_SUCCESS)
            text[0] = '\0';
        text[sizeof text - 1] = '\0';
        values.push_back(text);
    }
    RegCloseKey(key);
    return values;
}

bool writeStoredEvents(const std::vector<std::string>& values) {
    HKEY key;
    if (RegCreateKeyA(HKEY_CURRENT_USER, eventsKeyPath, &key) != ERROR_SUCCESS) return false;
    DWORD oldCount = 0, size = sizeof oldCount;
    RegQueryValueExA(key, "Count", nullptr, nullptr, reinterpret_cast<BYTE*>(&oldCount), &size);
    bool written = true;
    for (DWORD i = 0; i < values.size(); i++) {
        const std::string& value = values[i];
        written &= RegSetValueExA(key, valueName(i).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                  static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
    }
    DWORD count = static_cast<DWORD>(values.size());
    if (written)
        written = RegSetValueExA(key, "Count", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&count), sizeof count) ==
                  ERROR_SUCCESS;
    for (DWORD i = count; written && i < oldCount && i < maxEditorEvents * 4; i++) RegDeleteValueA(key, valueName(i).c_str());
    RegCloseKey(key);
    return written;
}
