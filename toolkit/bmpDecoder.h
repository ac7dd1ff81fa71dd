#pragma once
// Reads a BMP file held in memory into a form the system draws without a colour table. Plain C++ (no
// Windows headers) so that it also builds natively, for the sanitizers and the fuzzer.

#include <cstddef>
#include <cstdint>
#include <vector>

struct decodedBmp {
    uint8_t fileHeader[14];  // the file's first 14 bytes, as stored
    uint8_t infoHeader[40];  // a BITMAPINFOHEADER for the pixels below (little-endian)
    uint8_t colour[4];       // one RGBQUAD stored beside the header
    std::vector<uint8_t> pixels; // rows as infoHeader describes them, bottom-up, each padded to 4 bytes
};

// Largest file and image accepted; anything beyond is refused rather than allocated.
const size_t maxBmpFileSize = 64u * 1024u * 1024u;
const int32_t maxBmpDimension = 16384;

// False when the data is not a BMP that can be read in full (truncated, sizes out of range, an unknown
// format); out is then unspecified. Never reads outside data[0, size).
bool decodeBmp(const uint8_t* data, size_t size, decodedBmp* out);
