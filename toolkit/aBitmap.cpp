#include "aBitmap.h"

#include "aFile.h"
#include "bmpDecoder.h"

#include <cstring>
#include <fcntl.h>
#include <new>
#include <vector>

static_assert(sizeof(BITMAPFILEHEADER) == sizeof(decodedBmp::fileHeader), "file header layout");
static_assert(sizeof(BITMAPINFOHEADER) == sizeof(decodedBmp::infoHeader), "info header layout");
static_assert(sizeof(RGBQUAD) == sizeof(decodedBmp::colour), "colour layout");

namespace {
// The whole file, or false. The descriptor is closed when this returns, whatever the outcome.
bool readWholeFile(const char* path, std::vector<uint8_t>& data) {
    aFile file(path, _O_RDONLY | _O_BINARY);
    if (!file.isOpen()) return false;
    long length = file.length();
    if (length <= 0 || static_cast<unsigned long>(length) > maxBmpFileSize) return false;
    try {
        data.resize(static_cast<size_t>(length));
    } catch (const std::bad_alloc&) {
        return false;
    }
    long done = 0;
    while (done < length) {
        int got = file.read(data.data() + done, static_cast<int>(length - done));
        if (got <= 0) return false;
        done += got;
    }
    return true;
}
} // namespace

aBitmap::aBitmap(const char* path) : bits(nullptr), bitsSize(0) {
    std::vector<uint8_t> data;
    if (path == nullptr || !readWholeFile(path, data)) throw 1;
    decodedBmp image;
    if (!decodeBmp(data.data(), data.size(), &image)) throw 1;

    memcpy(&fileHeader, image.fileHeader, sizeof fileHeader);
    memcpy(&info.bmiHeader, image.infoHeader, sizeof info.bmiHeader);
    memcpy(&info.bmiColors[0], image.colour, sizeof info.bmiColors[0]);
    bits = new (std::nothrow) unsigned char[image.pixels.size()];
    if (bits == nullptr) throw 1;
    memcpy(bits, image.pixels.data(), image.pixels.size());
    bitsSize = static_cast<unsigned long>(image.pixels.size());
}

aBitmap::~aBitmap() { delete[] bits; }

HBITMAP aBitmap::createBitmap(HDC dc) {
    return CreateDIBitmap(dc, &info.bmiHeader, CBM_INIT, bits, &info, DIB_RGB_COLORS);
}
