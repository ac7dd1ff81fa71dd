#include "registrySandbox.h"

#include <atomic>
#include <cstdio>
#include <cstring>

namespace {
std::atomic<int> sandboxCounter{0};
const char* const sandboxRoot = "Software\\BellwickTests";
} // namespace

registrySandbox::registrySandbox() {
    char name[128];
    sprintf(name, "%s\\%lu-%d-%lu", sandboxRoot, GetCurrentProcessId(), sandboxCounter++, GetTickCount());
    path = name;
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str());
    RegCreateKeyA(HKEY_CURRENT_USER, path.c_str(), &scratch);
    RegOverridePredefKey(HKEY_CURRENT_USER, scratch);
}

registrySandbox::~registrySandbox() {
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegCloseKey(scratch);
    RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str());
}

bool keyExists(const char* path) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

DWORD storedValue::number() const {
    DWORD value = 0;
    memcpy(&value, data.data(), data.size() < 4 ? data.size() : 4);
    return value;
}

storedValue readValue(const char* keyPath, const char* name) {
    storedValue result;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return result;
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, &result.type, nullptr, &size) == ERROR_SUCCESS) {
        result.data.resize(size);
        RegQueryValueExA(key, name, nullptr, &result.type, reinterpret_cast<BYTE*>(&result.data[0]), &size);
        result.data.resize(size);
        result.exists = true;
    }
    RegCloseKey(key);
    return result;
}

void writeRaw(const char* keyPath, const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key;
    if (RegCreateKeyA(HKEY_CURRENT_USER, keyPath, &key) != ERROR_SUCCESS) return;
    RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

void writeNumber(const char* keyPath, const char* name, DWORD value) {
    writeRaw(keyPath, name, REG_DWORD, &value, sizeof value);
}

void writeText(const char* keyPath, const char* name, const char* text) {
    writeRaw(keyPath, name, REG_SZ, text, static_cast<DWORD>(strlen(text) + 1));
}

void deleteValue(const char* keyPath, const char* name) {
    HKEY key;
    if (RegOpenKeyA(HKEY_CURRENT_USER, keyPath, &key) != ERROR_SUCCESS) return;
    RegDeleteValueA(key, name);
    RegCloseKey(key);
}

void deleteTree(const char* keyPath) { RegDeleteTreeA(HKEY_CURRENT_USER, keyPath); }
