// Feeds arbitrary bytes to the BMP reader; whatever it accepts must describe its own pixels.
#include "../../toolkit/bmpDecoder.h"

#include <cstdlib>
#include <cstring>

namespace {
uint32_t get32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
uint16_t get16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

void check(bool condition) {
    if (!condition) abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    decodedBmp out;
    if (!decodeBmp(data, size, &out)) return 0;

    const uint8_t* h = out.infoHeader;
    const int32_t width = int32_t(get32(h + 4));
    const int32_t height = int32_t(get32(h + 8));
    const unsigned bits = get16(h + 14);
    check(get32(h) == 40);
    check(get16(h + 12) == 1);
    check(get32(h + 16) == 0); // BI_RGB: the system needs no masks
    check(bits == 16 || bits == 24 || bits == 32);
    check(width > 0 && width <= maxBmpDimension);
    check(height > 0 && height <= maxBmpDimension);
    check(memcmp(out.fileHeader, data, 14) == 0);

    const uint64_t row = ((uint64_t(width) * bits + 31) / 32) * 4;
    check(out.pixels.size() == row * uint64_t(height));
    check(out.pixels.size() <= maxBmpFileSize);
    const bool kept = size >= 54 && memcmp(h, data + 14, 40) == 0;
    if (kept) {
        // Kept as stored: the rows are the file's own bytes.
        const uint32_t offset = get32(data + 10);
        check(uint64_t(offset) + out.pixels.size() <= size);
        check(memcmp(out.pixels.data(), data + offset, out.pixels.size()) == 0);
    } else {
        // Converted: a fresh 32-bit header, no colour, nothing in the fourth byte.
        check(bits == 32);
        check(get32(h + 20) == out.pixels.size());
        for (int i = 24; i < 40; ++i) check(h[i] == 0);
        for (int i = 0; i < 4; ++i) check(out.colour[i] == 0);
        for (size_t i = 3; i < out.pixels.size(); i += 4) check(out.pixels[i] == 0);
    }
    return 0;
}
