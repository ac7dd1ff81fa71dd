#pragma once
#include <windows.h>

// One device-independent bitmap read from a BMP file, from which device-dependent bitmaps are made.
// The constructor throws the int 1 when the file cannot be opened or is not a BMP it can read in full.
class aBitmap {
public:
    explicit aBitmap(const char* path);
    aBitmap(const aBitmap&) = delete;
    aBitmap& operator=(const aBitmap&) = delete;
    virtual ~aBitmap();

    // A bitmap in the format of dc, owned by the caller (DeleteObject); null on failure.
    HBITMAP createBitmap(HDC dc);

    const BITMAPFILEHEADER& getFileHeader() const { return fileHeader; }
    const BITMAPINFO& getInfo() const { return info; }
    const unsigned char* getBits() const { return bits; }
    unsigned long getBitsSize() const { return bitsSize; }

private:
    BITMAPFILEHEADER fileHeader;
    BITMAPINFO info;
    unsigned char* bits;
    unsigned long bitsSize;
};
