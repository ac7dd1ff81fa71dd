#pragma once
// Little-endian numbers written into and read from a byte buffer, as the BMP files of the tests store them.
// Plain C++: the native sanitizer build includes it too.
#include <cstddef>
#include <cstdint>
#include <vector>

inline void put16(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    b[at] = uint8_t(v);
    b[at + 1] = uint8_t(v >> 8);
}
inline void put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    put16(b, at, v);
    put16(b, at + 2, v >> 16);
}
inline uint32_t get32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
