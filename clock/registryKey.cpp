#include "registryKey.h"

#include <cstring>

const char* const makerKeyPath = "Software\\Quorvane";
const char* const productKeyPath = "Software\\Quorvane\\Bellwick";
const char* const eventsKeyPath = "Software\\Quorvane\\Bellwick\\Events";

registryKey registryKey::open(HKEY parent, const char* path) {
    HKEY key = nullptr;
    if (parent == nullptr || RegOpenKeyA(parent, path, &key) != ERROR_SUCCESS) key = nullptr;
    return registryKey(key);
}

registryKey registryKey::create(HKEY parent, const char* path) {
    HKEY key = nullptr;
    if (parent == nullptr || RegCreateKeyA(parent, path, &key) != ERROR_SUCCESS) key = nullptr;
    return registryKey(key);
}

void registryKey::close() {
    if (key != nullptr) RegCloseKey(key);
    key = nullptr;
}

bool registryKey::readNumber(const char* name, DWORD* value) const {
    if (key == nullptr) return false;
    DWORD number = 0;
    DWORD size = sizeof number;
    if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&number), &size) != ERROR_SUCCESS)
        return false;
    if (size != sizeof number) return false;
    *value = number;
    return true;
}

bool registryKey::readText(const char* name, char* buffer, DWORD size) const {
    if (key == nullptr || size == 0) return false;
    memset(buffer, 0, size);
    DWORD stored = size;
    if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &stored) != ERROR_SUCCESS) {
        buffer[0] = '\0';
        return false;
    }
    // A text stored without its NUL is terminated here, when there is room for one.
    if (stored < size) {
        buffer[stored] = '\0';
        return true;
    }
    if (buffer[size - 1] == '\0') return true;
    buffer[0] = '\0';
    return false;
}

void registryKey::writeNumber(const char* name, DWORD value) const {
    if (key == nullptr) return;
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

bool registryKey::writeText(const char* name, const char* text) const {
    if (key == nullptr) return false;
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                          static_cast<DWORD>(strlen(text) + 1)) == ERROR_SUCCESS;
}
