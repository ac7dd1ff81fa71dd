#include "aFile.h"

#include <io.h>

aFile::aFile(const char* path, int flags) { fd = _open(path, flags); }

aFile::aFile(const char* path, int flags, int mode) { fd = _open(path, flags, mode); }

aFile::~aFile() {
    if (isOpen()) _close(fd);
}

int aFile::read(void* buffer, int count) { return isOpen() ? _read(fd, buffer, count) : -1; }

int aFile::write(const void* data, int count) { return isOpen() ? _write(fd, data, count) : -1; }

long aFile::seek(long offset, int origin) { return isOpen() ? _lseek(fd, offset, origin) : -1; }

long aFile::length() { return isOpen() ? _filelength(fd) : -1; }

long aFile::tell() { return isOpen() ? _tell(fd) : -1; }

int aFile::eof() { return isOpen() ? _eof(fd) : -1; }
