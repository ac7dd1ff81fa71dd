#include "bmpDecoder.h"

#include <cstring>
#include <new>

// Choices for input the format leaves open:
// - a palette index beyond the palette, and a pixel an RLE stream skips (delta, end of line), are black;
// - an RLE stream must end with its end-of-bitmap code inside the file, must not write outside the image
//   and must not be top-down, or the file is refused;
// - a 16/24/32-bit file is kept as stored only when its header says nothing the system would read beyond
//   one colour (biClrUsed <= 1); otherwise it is converted like every other file;
// - a converted image is refused when its 32-bit form would be larger than maxBmpFileSize.

namespace {

const size_t fileHeaderSize = 14;
const uint32_t coreHeaderSize = 12;
const uint32_t infoHeaderSize = 40;
const uint32_t v2HeaderSize = 52; // the first size that holds the red, green and blue masks

const uint32_t biRgb = 0;
const uint32_t biRle8 = 1;
const uint32_t biRle4 = 2;
const uint32_t biBitfields = 3;
const uint32_t biAlphaBitfields = 6;

uint16_t get16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
uint32_t get32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
void put16(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}
void put32(uint8_t* p, uint32_t v) {
    put16(p, v);
    put16(p + 2, v >> 16);
}

// One colour channel of a bit-field pixel.
struct channel {
    uint32_t mask = 0;
    unsigned shift = 0;
    unsigned bits = 0;

    uint8_t scale(uint32_t pixel) const {
        if (bits == 0) return 0;
        uint32_t value = (pixel & mask) >> shift;
        if (bits >= 8) return uint8_t(value >> (bits - 8));
        uint32_t top = (1u << bits) - 1;
        return uint8_t((value * 255 + top / 2) / top);
    }
};

// False for a mask whose bits are not contiguous; an empty mask gives a channel that is always 0.
bool makeChannel(uint32_t mask, channel* c) {
    c->mask = mask;
    c->shift = 0;
    c->bits = 0;
    if (mask == 0) return true;
    while (((mask >> c->shift) & 1) == 0) ++c->shift;
    uint64_t run = uint64_t(mask) >> c->shift;
    if ((run & (run + 1)) != 0) return false;
    while (run != 0) {
        ++c->bits;
        run >>= 1;
    }
    return true;
}

// What the headers say, once checked.
struct layout {
    uint32_t width = 0;
    uint32_t height = 0; // rows, always positive
    bool topDown = false;
    unsigned bitCount = 0;
    uint32_t compression = 0;
    uint64_t rowLength = 0;
    uint32_t pixelOffset = 0;
    const uint8_t* palette = nullptr;
    uint64_t paletteEntries = 0;
    unsigned entrySize = 4;
    channel red, green, blue;
};

// The 32-bit bottom-up image every converted file becomes; starts black.
struct canvas {
    uint32_t width;
    uint32_t height;
    std::vector<uint8_t>& pixels;

    void set(uint32_t x, uint32_t row, uint8_t r, uint8_t g, uint8_t b) {
        uint8_t* p = &pixels[(size_t(row) * width + x) * 4];
        p[0] = b;
        p[1] = g;
        p[2] = r;
        p[3] = 0;
    }
};

void setIndexed(canvas& out, const layout& l, uint32_t x, uint32_t row, uint32_t index) {
    if (index >= l.paletteEntries) return; // stays black
    const uint8_t* e = l.palette + size_t(index) * l.entrySize;
    out.set(x, row, e[2], e[1], e[0]);
}

void convertRows(const uint8_t* data, const layout& l, canvas& out) {
    for (uint32_t stored = 0; stored < l.height; ++stored) {
        const uint8_t* src = data + l.pixelOffset + stored * l.rowLength;
        uint32_t row = l.topDown ? l.height - 1 - stored : stored;
        for (uint32_t x = 0; x < l.width; ++x) {
            switch (l.bitCount) {
            case 1:
                setIndexed(out, l, x, row, (src[x / 8] >> (7 - x % 8)) & 1);
                break;
            case 4:
                setIndexed(out, l, x, row, (src[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 15);
                break;
            case 8:
                setIndexed(out, l, x, row, src[x]);
                break;
            case 16: {
                uint32_t v = get16(src + size_t(x) * 2);
                out.set(x, row, l.red.scale(v), l.green.scale(v), l.blue.scale(v));
                break;
            }
            case 24: {
                const uint8_t* p = src + size_t(x) * 3;
                out.set(x, row, p[2], p[1], p[0]);
                break;
            }
            case 32: {
                uint32_t v = get32(src + size_t(x) * 4);
                out.set(x, row, l.red.scale(v), l.green.scale(v), l.blue.scale(v));
                break;
            }
            }
        }
    }
}

// Decodes BI_RLE8 or BI_RLE4 from the pixel offset to the end of the data.
bool decodeRle(const uint8_t* data, size_t size, const layout& l, canvas& out) {
    const bool four = l.compression == biRle4;
    const uint8_t* p = data + l.pixelOffset;
    const uint8_t* end = data + size;
    uint64_t x = 0, y = 0; // y counts rows from the bottom, as the output does
    auto put = [&](uint32_t index) {
        if (x >= l.width || y >= l.height) return false;
        setIndexed(out, l, uint32_t(x), uint32_t(y), index);
        ++x;
        return true;
    };
    for (;;) {
        if (end - p < 2) return false;
        unsigned count = p[0], value = p[1];
        p += 2;
        if (count > 0) {
            for (unsigned i = 0; i < count; ++i) {
                uint32_t index = four ? (i % 2 == 0 ? value >> 4 : value & 15) : value;
                if (!put(index)) return false;
            }
        } else if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            return true;
        } else if (value == 2) {
            if (end - p < 2) return false;
            x += p[0];
            y += p[1];
            p += 2;
        } else {
            size_t bytes = four ? (value + 1) / 2 : value;
            size_t padded = (bytes + 1) & ~size_t(1); // absolute runs end on a word boundary
            if (size_t(end - p) < padded) return false;
            for (unsigned i = 0; i < value; ++i) {
                uint32_t index = four ? (i % 2 == 0 ? p[i / 2] >> 4 : p[i / 2] & 15) : p[i];
                if (!put(index)) return false;
            }
            p += padded;
        }
    }
}

bool decode(const uint8_t* data, size_t size, decodedBmp* out) {
    if (data == nullptr || out == nullptr) return false;
    if (size > maxBmpFileSize || size < fileHeaderSize + 4) return false;
    memcpy(out->fileHeader, data, fileHeaderSize);

    layout l;
    l.pixelOffset = get32(data + 10);
    const uint8_t* h = data + fileHeaderSize;
    const uint32_t headerSize = get32(h);
    int64_t width, height;
    unsigned planes;
    uint32_t clrUsed = 0;
    uint64_t headersEnd = fileHeaderSize + uint64_t(headerSize);
    if (headersEnd > size) return false;

    if (headerSize == coreHeaderSize) {
        width = get16(h + 4);
        height = get16(h + 6);
        planes = get16(h + 8);
        l.bitCount = get16(h + 10);
        l.compression = biRgb;
        l.entrySize = 3;
    } else if (headerSize >= infoHeaderSize) {
        width = int32_t(get32(h + 4));
        height = int32_t(get32(h + 8));
        planes = get16(h + 12);
        l.bitCount = get16(h + 14);
        l.compression = get32(h + 16);
        clrUsed = get32(h + 32);
    } else {
        return false;
    }

    if (planes != 1) return false;
    if (width <= 0 || width > maxBmpDimension) return false;
    if (height == 0 || height < -int64_t(maxBmpDimension) || height > maxBmpDimension) return false;
    l.width = uint32_t(width);
    l.topDown = height < 0;
    l.height = uint32_t(height < 0 ? -height : height);

    const unsigned bits = l.bitCount;
    switch (l.compression) {
    case biRgb:
        if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
        break;
    case biRle8:
        if (bits != 8 || l.topDown) return false;
        break;
    case biRle4:
        if (bits != 4 || l.topDown) return false;
        break;
    case biBitfields:
    case biAlphaBitfields:
        if (bits != 16 && bits != 32) return false;
        break;
    default:
        return false;
    }

    uint32_t masks[3] = {0, 0, 0};
    if (l.compression == biBitfields || l.compression == biAlphaBitfields) {
        const uint8_t* m = h + infoHeaderSize;
        if (headerSize < v2HeaderSize) {
            // Short headers keep the masks right after them; the alpha one is read past but not used.
            uint64_t maskBytes = l.compression == biAlphaBitfields ? 16 : 12;
            if (headersEnd + maskBytes > size) return false;
            m = data + headersEnd;
            headersEnd += maskBytes;
        }
        for (int i = 0; i < 3; ++i) masks[i] = get32(m + 4 * i);
    } else if (bits == 16) {
        masks[0] = 0x7C00;
        masks[1] = 0x03E0;
        masks[2] = 0x001F;
    } else if (bits == 32) {
        masks[0] = 0x00FF0000;
        masks[1] = 0x0000FF00;
        masks[2] = 0x000000FF;
    }
    if (bits == 16 && ((masks[0] | masks[1] | masks[2]) >> 16) != 0) return false;
    if (!makeChannel(masks[0], &l.red) || !makeChannel(masks[1], &l.green) || !makeChannel(masks[2], &l.blue))
        return false;

    if (bits <= 8) {
        l.paletteEntries = clrUsed != 0 ? clrUsed : 1u << bits;
        l.palette = data + headersEnd;
        headersEnd += l.paletteEntries * l.entrySize;
    }
    if (l.pixelOffset < headersEnd || l.pixelOffset > size) return false;

    l.rowLength = ((uint64_t(l.width) * bits + 31) / 32) * 4;
    const uint64_t storedSize = l.rowLength * l.height;
    const bool compressed = l.compression == biRle8 || l.compression == biRle4;
    if (!compressed && storedSize > size - l.pixelOffset) return false;

    const bool keep = l.compression == biRgb && bits >= 16 && !l.topDown && headerSize == infoHeaderSize &&
                      clrUsed <= 1;
    if (keep) {
        memcpy(out->infoHeader, h, infoHeaderSize);
        if (l.pixelOffset >= fileHeaderSize + infoHeaderSize + 4)
            memcpy(out->colour, data + fileHeaderSize + infoHeaderSize, 4);
        else
            memset(out->colour, 0, 4);
        out->pixels.assign(data + l.pixelOffset, data + l.pixelOffset + storedSize);
        return true;
    }

    const uint64_t outSize = uint64_t(l.width) * l.height * 4;
    if (outSize > maxBmpFileSize) return false;
    out->pixels.assign(size_t(outSize), 0);
    canvas image{l.width, l.height, out->pixels};
    if (compressed) {
        if (!decodeRle(data, size, l, image)) return false;
    } else {
        convertRows(data, l, image);
    }

    memset(out->infoHeader, 0, infoHeaderSize);
    put32(out->infoHeader, infoHeaderSize);
    put32(out->infoHeader + 4, l.width);
    put32(out->infoHeader + 8, l.height);
    put16(out->infoHeader + 12, 1);
    put16(out->infoHeader + 14, 32);
    put32(out->infoHeader + 20, uint32_t(outSize));
    memset(out->colour, 0, 4);
    return true;
}

} // namespace

bool decodeBmp(const uint8_t* data, size_t size, decodedBmp* out) {
    try {
        return decode(data, size, out);
    } catch (const std::bad_alloc&) {
        return false;
    }
}
