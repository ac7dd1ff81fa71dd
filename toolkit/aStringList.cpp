#include "aStringList.h"

#include <cstring>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

namespace {
char* copyOf(const char* s) {
    char* copy = new char[strlen(s) + 1];
    strcpy(copy, s);
    return copy;
}
} // namespace

aStringList::aStringList() : itemCount(0), capacity(0), items(nullptr) {}

aStringList::~aStringList() { clear(); }

void aStringList::add(const char* s) {
    char* copy = copyOf(s);
    if (itemCount >= capacity) {
        // Linear growth, 16 slots at a time.
        char** grown = new char*[capacity + growth];
        for (int i = 0; i < itemCount; i++) grown[i] = items[i];
        delete[] items;
        items = grown;
        capacity += growth;
    }
    items[itemCount] = copy;
    itemCount += 1;
}

char* aStringList::get(int index) const { return inRange(index) ? items[index] : nullptr; }

void aStringList::removeAt(int index) {
    if (!inRange(index)) return;
    delete[] items[index];
    for (int i = index; i + 1 < itemCount; i++) items[i] = items[i + 1];
    itemCount -= 1;
}

void aStringList::setAt(int index, const char* s) {
    if (!inRange(index) || items[index] == s) return;
    // Copied before the old string goes, so s may point into it.
    char* copy = copyOf(s);
    delete[] items[index];
    items[index] = copy;
}

void aStringList::clear() {
    for (int i = 0; i < itemCount; i++) delete[] items[i];
    delete[] items;
    items = nullptr;
    itemCount = 0;
    capacity = 0;
}

void aStringList::saveToFile(const char* path) const {
    int fd = _open(path, _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, _S_IWRITE);
    if (fd == -1) return;
    for (int i = 0; i < itemCount; i++) {
        _write(fd, items[i], static_cast<unsigned>(strlen(items[i])));
        _write(fd, "\r\n", 2);
    }
    _close(fd);
}
