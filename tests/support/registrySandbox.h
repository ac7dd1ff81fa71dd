#pragma once
#include <windows.h>

#include <string>

// Gives the test process an empty HKEY_CURRENT_USER of its own (a scratch key of the real one) for
// its lifetime, and removes the scratch key afterwards.
class registrySandbox {
public:
    registrySandbox();
    registrySandbox(const registrySandbox&) = delete;
    registrySandbox& operator=(const registrySandbox&) = delete;
    ~registrySandbox();

    // The scratch key's path under the real HKEY_CURRENT_USER (what another process would have to look at).
    const std::string& scratchPath() const { return path; }

private:
    std::string path;
    HKEY scratch;
};

// Reading back what the program stored, through the sandboxed HKEY_CURRENT_USER.
bool keyExists(const char* path);
struct storedValue {
    bool exists = false;
    DWORD type = 0;
    std::string data; // the raw bytes as stored
    DWORD number() const;
};
storedValue readValue(const char* keyPath, const char* name);
void writeNumber(const char* keyPath, const char* name, DWORD value);
void writeText(const char* keyPath, const char* name, const char* text);
void writeRaw(const char* keyPath, const char* name, DWORD type, const void* data, DWORD size);
void deleteValue(const char* keyPath, const char* name);
void deleteTree(const char* keyPath);
