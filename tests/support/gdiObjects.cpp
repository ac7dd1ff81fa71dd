#include "gdiObjects.h"

#include <intrin.h>
#include <windows.h>

namespace {
// 32-bit layout: the table's address at offset 0x94 of the PEB; 0x10000 entries of 24 bytes, the
// object type at byte 14 of each (0 for a free entry).
const unsigned pebTableOffset = 0x94;
const int tableEntries = 0x10000;
const int entrySize = 24;
const int typeOffset = 14;
} // namespace

int gdiObjectCount() {
    const unsigned char* peb = reinterpret_cast<const unsigned char*>(__readfsdword(0x30));
    const unsigned char* table = *reinterpret_cast<const unsigned char* const*>(peb + pebTableOffset);
    if (table == nullptr) return -1;
    int count = 0;
    for (int i = 0; i < tableEntries; i++)
        if (table[i * entrySize + typeOffset] != 0) count++;
    return count;
}
