#pragma once

// Owns one descriptor of the runtime's low-level file interface. Every result is the runtime call's own;
// on a file that is not open every operation returns -1 without touching the runtime.
class aFile {
public:
    aFile(const char* path, int flags);
    aFile(const char* path, int flags, int mode);
    aFile(const aFile&) = delete;
    aFile& operator=(const aFile&) = delete;
    virtual ~aFile();

    virtual int read(void* buffer, int count);
    virtual int write(const void* data, int count);
    virtual long seek(long offset, int origin);

    long length();
    long tell();
    int eof();
    bool isOpen() const { return fd != -1; }

private:
    int fd;
};
