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
    // Every value up to Count is kept, even those the clock skips (too long, beyond its 1024): a save
    // must not lose them. The bound only guards against a nonsense Count.
    if (count > maxStoredEvents) count = maxStoredEvents;
    for (DWORD i = 0; i < count; i++) {
        DWORD textSize = 0;
        std::string text;
        if (RegQueryValueExA(key, valueName(i).c_str(), nullptr, nullptr, nullptr, &textSize) == ERROR_SUCCESS &&
            textSize > 0) {
            std::vector<char> buffer(textSize + 1, '\0');
            if (RegQueryValueExA(key, valueName(i).c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()),
                                 &textSize) == ERROR_SUCCESS)
                text = buffer.data();
        }
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
    for (DWORD i = count; written && i < oldCount && i < maxStoredEvents; i++) RegDeleteValueA(key, valueName(i).c_str());
    RegCloseKey(key);
    return written;
}
