#pragma once
#include <windows.h>

// The clock's keys under HKEY_CURRENT_USER.
extern const char* const makerKeyPath;   // Software\Quorvane
extern const char* const productKeyPath; // Software\Quorvane\Bellwick
extern const char* const eventsKeyPath;  // Software\Quorvane\Bellwick\Events

// Owns one open registry key and closes it when it goes. The registry calls' own results are the error.
class registryKey {
public:
    // RegOpenKeyA: opens an existing key only.
    static registryKey open(HKEY parent, const char* path);
    // RegCreateKeyA: opens the key, creating it when it is missing.
    static registryKey create(HKEY parent, const char* path);

    registryKey(registryKey&& other) noexcept : key(other.key) { other.key = nullptr; }
    registryKey(const registryKey&) = delete;
    registryKey& operator=(const registryKey&) = delete;
    ~registryKey() { close(); }

    bool isOpen() const { return key != nullptr; }
    HKEY get() const { return key; }
    void close();

    // A number is exactly 4 bytes; anything else (missing, longer, shorter) reads as absent.
    bool readNumber(const char* name, DWORD* value) const;
    // The text always ends in a NUL; a value that does not fit the buffer with its NUL reads as absent.
    bool readText(const char* name, char* buffer, DWORD size) const;

    void writeNumber(const char* name, DWORD value) const;
    // Stored as REG_SZ with its terminating NUL counted; false when it could not be stored.
    bool writeText(const char* name, const char* text) const;

private:
    explicit registryKey(HKEY key) : key(key) {}
    HKEY key;
};
