// The BMP reader on files generated here: what it keeps, what it converts and what it refuses.
#include "../../toolkit/bmpDecoder.h"
#include "../support/littleEndian.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

// ---- a small BMP writer ----

struct bmpFile {
    char type[2] = {'B', 'M'};
    uint32_t headerSize = 40;
    int32_t width = 1;
    int32_t height = 1;
    uint16_t planes = 1;
    uint16_t bitCount = 24;
    uint32_t compression = 0;
    uint32_t sizeImage = 0;
    uint32_t xPerMeter = 0;
    uint32_t yPerMeter = 0;
    uint32_t clrUsed = 0;
    uint32_t clrImportant = 0;
    uint32_t masks[4] = {0, 0, 0, 0}; // red, green, blue, alpha
    size_t masksAfter = 0;            // mask bytes written right after the header: 0, 12 or 16
    std::vector<uint32_t> palette;    // 0xRRGGBB
    uint8_t paletteReserved = 0;      // the fourth byte of each 4-byte entry
    std::vector<uint8_t> gap;         // bytes between the palette and the pixels
    std::vector<uint8_t> pixels;      // as stored
    int64_t offset = -1;              // the stored pixel offset; -1 for where the pixels really start

    std::vector<uint8_t> bytes() const {
        std::vector<uint8_t> b(14 + headerSize, 0);
        b[0] = uint8_t(type[0]);
        b[1] = uint8_t(type[1]);
        if (headerSize == 12) {
            put32(b, 14, 12);
            put16(b, 18, uint32_t(width));
            put16(b, 20, uint32_t(height));
            put16(b, 22, planes);
            put16(b, 24, bitCount);
        } else {
            put32(b, 14, headerSize);
            put32(b, 18, uint32_t(width));
            put32(b, 22, uint32_t(height));
            put16(b, 26, planes);
            put16(b, 28, bitCount);
            put32(b, 30, compression);
            put32(b, 34, sizeImage);
            put32(b, 38, xPerMeter);
            put32(b, 42, yPerMeter);
            put32(b, 46, clrUsed);
            put32(b, 50, clrImportant);
            for (unsigned i = 0; i < 4 && 40 + 4 * i + 4 <= headerSize; ++i) put32(b, 54 + 4 * i, masks[i]);
        }
        for (size_t i = 0; i < masksAfter / 4; ++i) {
            b.resize(b.size() + 4);
            put32(b, b.size() - 4, masks[i]);
        }
        for (uint32_t c : palette) {
            b.push_back(uint8_t(c));
            b.push_back(uint8_t(c >> 8));
            b.push_back(uint8_t(c >> 16));
            if (headerSize != 12) b.push_back(paletteReserved);
        }
        b.insert(b.end(), gap.begin(), gap.end());
        uint32_t start = uint32_t(b.size());
        b.insert(b.end(), pixels.begin(), pixels.end());
        put32(b, 2, uint32_t(b.size()));
        put32(b, 10, offset >= 0 ? uint32_t(offset) : start);
        return b;
    }
};

size_t rowLength(unsigned bits, int width) { return ((size_t(width) * bits + 31) / 32) * 4; }

// Rows in stored order; value(x, storedRow) is a palette index, a 16/32-bit pixel or 0xRRGGBB for 24 bits.
std::vector<uint8_t> packRows(unsigned bits, int width, int rows,
                                     const std::function<uint32_t(int, int)>& value) {
    size_t stride = rowLength(bits, width);
    std::vector<uint8_t> out(stride * size_t(rows), 0);
    for (int y = 0; y < rows; ++y) {
        uint8_t* row = &out[size_t(y) * stride];
        for (int x = 0; x < width; ++x) {
            uint32_t v = value(x, y);
            switch (bits) {
            case 1:
                row[x / 8] |= uint8_t((v & 1) << (7 - x % 8));
                break;
            case 4:
                row[x / 2] |= uint8_t((v & 15) << (x % 2 == 0 ? 4 : 0));
                break;
            case 8:
                row[x] = uint8_t(v);
                break;
            case 16:
                row[2 * x] = uint8_t(v);
                row[2 * x + 1] = uint8_t(v >> 8);
                break;
            case 24:
                row[3 * x] = uint8_t(v);
                row[3 * x + 1] = uint8_t(v >> 8);
                row[3 * x + 2] = uint8_t(v >> 16);
                break;
            case 32:
                for (int i = 0; i < 4; ++i) row[4 * x + i] = uint8_t(v >> (8 * i));
                break;
            }
        }
    }
    return out;
}

// A colour table whose entries all differ, so a wrong index shows.
std::vector<uint32_t> distinctPalette(size_t entries) {
    std::vector<uint32_t> p;
    for (size_t i = 0; i < entries; ++i)
        p.push_back(uint32_t(((i * 37 + 11) & 0xFF) << 16 | ((i * 91 + 5) & 0xFF) << 8 | ((255 - i * 13) & 0xFF)));
    return p;
}

// ---- reading the output ----

const uint32_t black = 0x000000;

int32_t outWidth(const decodedBmp& d) { return int32_t(get32(d.infoHeader + 4)); }
int32_t outHeight(const decodedBmp& d) { return int32_t(get32(d.infoHeader + 8)); }

// 0xRRGGBB of a converted image's pixel; y counts from the top, as the fixtures are described.
uint32_t pixelAt(const decodedBmp& d, int x, int y) {
    int w = outWidth(d), h = outHeight(d);
    const uint8_t* p = &d.pixels.at((size_t(h - 1 - y) * w + x) * 4);
    return uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
}

// A converted image has a fresh 32-bit bottom-up header, no colour and a zero fourth byte everywhere.
void expectConverted(const decodedBmp& d, int width, int height) {
    uint8_t header[40] = {};
    header[0] = 40;
    header[4] = uint8_t(width);
    header[5] = uint8_t(width >> 8);
    header[8] = uint8_t(height);
    header[9] = uint8_t(height >> 8);
    header[12] = 1;
    header[14] = 32;
    uint32_t image = uint32_t(4 * width * height);
    for (int i = 0; i < 4; ++i) header[20 + i] = uint8_t(image >> (8 * i));
    EXPECT_EQ(0, memcmp(header, d.infoHeader, 40));
    const uint8_t zero[4] = {0, 0, 0, 0};
    EXPECT_EQ(0, memcmp(zero, d.colour, 4));
    ASSERT_EQ(size_t(4 * width * height), d.pixels.size());
    for (size_t i = 3; i < d.pixels.size(); i += 4) ASSERT_EQ(0, d.pixels[i]) << "byte " << i;
}

bool decode(const std::vector<uint8_t>& file, decodedBmp* out) { return decodeBmp(file.data(), file.size(), out); }

// Bytes that look arbitrary but are the same on every run.
std::vector<uint8_t> noise(size_t count, uint32_t seed) {
    std::vector<uint8_t> out(count);
    for (auto& b : out) {
        seed = seed * 1103515245u + 12345u;
        b = uint8_t(seed >> 16);
    }
    return out;
}

// ---- files kept as stored ----

struct keptCase {
    unsigned bits;
    int width, height;
    size_t row, total;
};

class keptExactly : public ::testing::TestWithParam<keptCase> {};

TEST_P(keptExactly, headerColourAndRowsUnchanged) {
    const keptCase& c = GetParam();
    ASSERT_EQ(c.row, rowLength(c.bits, c.width));
    bmpFile f;
    f.bitCount = uint16_t(c.bits);
    f.width = c.width;
    f.height = c.height;
    f.sizeImage = 12345; // odd values a rewrite would lose
    f.xPerMeter = 2835;
    f.yPerMeter = 2834;
    f.clrImportant = 7;
    f.pixels = noise(c.total, c.bits);
    std::vector<uint8_t> file = f.bytes();

    decodedBmp d;
    ASSERT_TRUE(decode(file, &d));
    EXPECT_EQ(0, memcmp(file.data(), d.fileHeader, 14));
    EXPECT_EQ(0, memcmp(file.data() + 14, d.infoHeader, 40));
    EXPECT_EQ(c.total, d.pixels.size());
    EXPECT_TRUE(std::equal(d.pixels.begin(), d.pixels.end(), file.begin() + 54));
    const uint8_t zero[4] = {0, 0, 0, 0};
    EXPECT_EQ(0, memcmp(zero, d.colour, 4)); // pixels at 54: no room for a colour
}

INSTANTIATE_TEST_SUITE_P(sizes, keptExactly,
                         ::testing::Values(keptCase{24, 65, 65, 196, 12740}, keptCase{32, 65, 65, 260, 16900},
                                           keptCase{16, 65, 65, 132, 8580}, keptCase{24, 1, 1, 4, 4},
                                           keptCase{24, 2, 3, 8, 24}, keptCase{16, 3, 2, 8, 16},
                                           keptCase{32, 1, 2, 4, 8}));

struct colourCase {
    size_t gap;
    std::vector<uint8_t> expected;
};

class keptColour : public ::testing::TestWithParam<colourCase> {};

TEST_P(keptColour, isTheFourBytesAfterTheHeaderWhenThereIsRoom) {
    const colourCase& c = GetParam();
    bmpFile f;
    f.width = 2;
    f.height = 2;
    f.gap = {0xA1, 0xB2, 0xC3, 0xD4, 0xE5, 0xF6};
    f.gap.resize(c.gap);
    f.pixels = noise(16, 3);
    std::vector<uint8_t> file = f.bytes();
    decodedBmp d;
    ASSERT_TRUE(decode(file, &d));
    EXPECT_EQ(c.expected, std::vector<uint8_t>(d.colour, d.colour + 4));
    EXPECT_TRUE(std::equal(d.pixels.begin(), d.pixels.end(), file.begin() + 54 + c.gap));
    EXPECT_EQ(16u, d.pixels.size());
}

INSTANTIATE_TEST_SUITE_P(gaps, keptColour,
                         ::testing::Values(colourCase{0, {0, 0, 0, 0}}, colourCase{3, {0, 0, 0, 0}},
                                           colourCase{4, {0xA1, 0xB2, 0xC3, 0xD4}},
                                           colourCase{6, {0xA1, 0xB2, 0xC3, 0xD4}}));

TEST(bmpDecoder, readsAFileWhoseTypeIsNotBM) {
    for (const char* type : {"XY", "\0\0", "MB"}) {
        bmpFile f;
        f.type[0] = type[0];
        f.type[1] = type[1];
        f.width = 65;
        f.height = 65;
        f.pixels = noise(12740, 9);
        std::vector<uint8_t> file = f.bytes();
        decodedBmp d;
        ASSERT_TRUE(decode(file, &d)) << type;
        EXPECT_EQ(type[0], char(d.fileHeader[0]));
        EXPECT_EQ(type[1], char(d.fileHeader[1]));
        EXPECT_EQ(12740u, d.pixels.size());
    }
}

TEST(bmpDecoder, acceptsBytesAfterThePixels) {
    bmpFile f;
    f.width = 3;
    f.height = 1;
    f.pixels = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0, 0xEE, 0xEE};
    decodedBmp d;
    ASSERT_TRUE(decode(f.bytes(), &d));
    EXPECT_EQ(std::vector<uint8_t>({1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0}), d.pixels);
}

// A 16-, 24- or 32-bit header listing colours would make the system read a table the output lacks.
TEST(bmpDecoder, convertsADirectColourFileThatListsColours) {
    bmpFile f;
    f.width = 2;
    f.height = 1;
    f.clrUsed = 2;
    f.palette = {0x010203, 0x040506};
    f.pixels = packRows(24, 2, 1, [](int x, int) { return x == 0 ? 0x123456u : 0xABCDEFu; });
    decodedBmp d;
    ASSERT_TRUE(decode(f.bytes(), &d));
    expectConverted(d, 2, 1);
    EXPECT_EQ(0x123456u, pixelAt(d, 0, 0));
    EXPECT_EQ(0xABCDEFu, pixelAt(d, 1, 0));
}

// ---- palette images ----

struct paletteCase {
    const char* name;
    uint32_t headerSize;
    unsigned bits;
    uint32_t clrUsed;
    int width, height; // height < 0: top-down
};

class paletteImage : public ::testing::TestWithParam<paletteCase> {};

TEST_P(paletteImage, givesThePaletteColours) {
    const paletteCase& c = GetParam();
    const int rows = c.height < 0 ? -c.height : c.height;
    const size_t entries = c.clrUsed != 0 ? c.clrUsed : size_t(1) << c.bits;
    // index at (x, y), y counted from the top of the picture
    auto index = [&](int x, int y) { return uint32_t((x * 3 + y * 5 + 1) % entries); };
    bmpFile f;
    f.headerSize = c.headerSize;
    f.bitCount = uint16_t(c.bits);
    f.width = c.width;
    f.height = c.height;
    f.clrUsed = c.clrUsed;
    f.palette = distinctPalette(entries);
    f.paletteReserved = 0xAA;
    f.pixels = packRows(c.bits, c.width, rows,
                        [&](int x, int stored) { return index(x, c.height < 0 ? stored : rows - 1 - stored); });
    decodedBmp d;
    ASSERT_TRUE(decode(f.bytes(), &d));
    expectConverted(d, c.width, rows);
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < c.width; ++x)
            ASSERT_EQ(f.palette[index(x, y)], pixelAt(d, x, y)) << "at " << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(
    kinds, paletteImage,
    ::testing::Values(paletteCase{"mono", 40, 1, 0, 9, 3}, paletteCase{"mono33", 40, 1, 0, 33, 2},
                      paletteCase{"four", 40, 4, 0, 5, 3}, paletteCase{"eight", 40, 8, 0, 7, 4},
                      paletteCase{"coreMono", 12, 1, 0, 10, 3}, paletteCase{"coreFour", 12, 4, 0, 3, 2},
                      paletteCase{"coreEight", 12, 8, 0, 6, 5}, paletteCase{"v4Four", 108, 4, 0, 7, 2},
                      paletteCase{"v5Eight", 124, 8, 0, 5, 3}, paletteCase{"odd64", 64, 8, 0, 4, 2},
                      paletteCase{"eightFewColours", 40, 8, 20, 9, 3},
                      paletteCase{"fourFewColours", 40, 4, 3, 9, 2},
                      paletteCase{"eightTopDown", 40, 8, 0, 5, -4}, paletteCase{"monoTopDown", 40, 1, 0, 9, -3},
                      paletteCase{"fourTopDown", 124, 4, 0, 3, -3}),
    [](const ::testing::TestParamInfo<paletteCase>& i) { return std::string(i.param.name); });

// Bit order written out by hand: the first pixel is the most significant bit or the high nibble.
TEST(bmpDecoder, takesPixelsFromTheHighBitsFirst) {
    bmpFile mono;
    mono.bitCount = 1;
    mono.width = 8;
    mono.palette = {0x112233, 0xAABBCC};
    mono.pixels = {0xB0, 0, 0, 0}; // 1011 0000
    decodedBmp d;
    ASSERT_TRUE(decode(mono.bytes(), &d));
    const uint32_t monoExpected[8] = {0xAABBCC, 0x112233, 0xAABBCC, 0xAABBCC,
                                      0x112233, 0x112233, 0x112233, 0x112233};
    for (int x = 0; x < 8; ++x) EXPECT_EQ(monoExpected[x], pixelAt(d, x, 0)) << x;

    bmpFile four;
    four.bitCount = 4;
    four.width = 3;
    four.palette = distinctPalette(16);
    four.pixels = {0x1E, 0x30, 0, 0};
    ASSERT_TRUE(decode(four.bytes(), &d));
    EXPECT_EQ(four.palette[1], pixelAt(d, 0, 0));
    EXPECT_EQ(four.palette[14], pixelAt(d, 1, 0));
    EXPECT_EQ(four.palette[3], pixelAt(d, 2, 0));
}

TEST(bmpDecoder, paintsIndicesBeyondThePaletteBlack) {
    bmpFile f;
    f.bitCount = 8;
    f.width = 8;
    f.clrUsed = 4;
    f.palette = {0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF};
    f.pixels = {0, 1, 2, 3, 4, 5, 200, 255};
    decodedBmp d;
    ASSERT_TRUE(decode(f.bytes(), &d));
    const uint32_t expected[8] = {0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF, black, black, black, black};
    for (int x = 0; x < 8; ++x) EXPECT_EQ(expected[x], pixelAt(d, x, 0)) << x;
}

// ---- direct colour converted ----

struct fieldsCase {
    const char* name;
    uint32_t headerSize;
    unsigned bits;
    uint32_t compression;
    std::vector<uint32_t> masks; // red, green, blue, alpha
    size_t masksAfter;
    std::vector<std::pair<uint32_t, uint32_t>> pixels; // stored value, expected 0xRRGGBB
};

class bitFields : public ::testing::TestWithParam<fieldsCase> {};

TEST_P(bitFields, scaleEachChannelToEightBits) {
    const fieldsCase& c = GetParam();
    bmpFile f;
    f.headerSize = c.headerSize;
    f.bitCount = uint16_t(c.bits);
    f.compression = c.compression;
    for (size_t i = 0; i < c.masks.size(); ++i) f.masks[i] = c.masks[i];
    f.masksAfter = c.masksAfter;
    f.width = int(c.pixels.size());
    f.height = 2; // the second row, on top, holds the values reversed
    const int n = f.width;
    f.pixels = packRows(c.bits, n, 2, [&](int x, int stored) {
        return c.pixels[size_t(stored == 0 ? x : n - 1 - x)].first;
    });
    decodedBmp d;
    ASSERT_TRUE(decode(f.bytes(), &d));
    expectConverted(d, n, 2);
    for (int x = 0; x < n; ++x) {
        EXPECT_EQ(c.pixels[size_t(x)].second, pixelAt(d, x, 1)) << "pixel " << x;
        EXPECT_EQ(c.pixels[size_t(n - 1 - x)].second, pixelAt(d, x, 0)) << "pixel " << x << " on top";
    }
}

const std::vector<std::pair<uint32_t, uint32_t>> pixels555 = {
    {0x7FFF, 0xFFFFFF}, {0x7C00, 0xFF0000}, {0x03E0, 0x00FF00}, {0x001F, 0x0000FF},
    {0x4210, 0x848484}, {0x0000, 0x000000}, {0x8000, 0x000000}, {0x0421, 0x080808}};
const std::vector<std::pair<uint32_t, uint32_t>> pixels565 = {
    {0xF800, 0xFF0000}, {0x07E0, 0x00FF00}, {0x001F, 0x0000FF}, {0x8410, 0x848284},
    {0xFFFF, 0xFFFFFF}, {0x0020, 0x000400}, {0x0000, 0x000000}};
const std::vector<std::pair<uint32_t, uint32_t>> pixels8888 = {
    {0xAA123456, 0x123456}, {0x00FF0000, 0xFF0000}, {0xFF00FF00, 0x00FF00}, {0x000000FF, 0x0000FF}};
const std::vector<std::pair<uint32_t, uint32_t>> pixelsRgba = {
    {0x00563412, 0x123456}, {0x000000FF, 0xFF0000}, {0xFFFF0000, 0x0000FF}};
const std::vector<std::pair<uint32_t, uint32_t>> pixels1010 = {
    {0x3FF00000u | (0x200u << 10) | 0x001u, 0xFF8000}, {0x000003FF, 0x0000FF}, {0x00000004, 0x000001},
    {0xC0000000, 0x000000}};

INSTANTIATE_TEST_SUITE_P(
    masks, bitFields,
    ::testing::Values(
        fieldsCase{"rgb555InV3", 56, 16, 0, {}, 0, pixels555},
        fieldsCase{"rgb555InV5", 124, 16, 0, {0xF800, 0x07E0, 0x001F}, 0, pixels555},
        fieldsCase{"fields555", 40, 16, 3, {0x7C00, 0x03E0, 0x001F}, 12, pixels555},
        fieldsCase{"fields565", 40, 16, 3, {0xF800, 0x07E0, 0x001F}, 12, pixels565},
        fieldsCase{"fields565After44", 44, 16, 3, {0xF800, 0x07E0, 0x001F}, 12, pixels565},
        fieldsCase{"fields565InV2", 52, 16, 3, {0xF800, 0x07E0, 0x001F}, 0, pixels565},
        fieldsCase{"fields565InV5", 124, 16, 3, {0xF800, 0x07E0, 0x001F}, 0, pixels565},
        fieldsCase{"alpha4444",
                   40,
                   16,
                   6,
                   {0x0F00, 0x00F0, 0x000F, 0xF000},
                   16,
                   {{0x0888, 0x888888}, {0xFF00, 0xFF0000}, {0x000F, 0x0000FF}, {0x0010, 0x001100}}},
        fieldsCase{"rgb32InV5", 124, 32, 0, {0xFF, 0xFF00, 0xFF0000, 0}, 0, pixels8888},
        fieldsCase{"fields32", 40, 32, 3, {0x00FF0000, 0x0000FF00, 0x000000FF}, 12, pixels8888},
        fieldsCase{"fields32InV4", 108, 32, 3, {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000}, 0, pixels8888},
        fieldsCase{"fields32InV5", 124, 32, 3, {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000}, 0, pixels8888},
        fieldsCase{"rgbaInV5", 124, 32, 3, {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000}, 0, pixelsRgba},
        fieldsCase{"alphaFields32", 40, 32, 6, {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000}, 16, pixelsRgba},
        fieldsCase{"alphaFieldsInV5", 124, 32, 6, {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000}, 0,
                   pixelsRgba},
        fieldsCase{"tenBitsInV5", 124, 32, 3, {0x3FF00000, 0x000FFC00, 0x000003FF}, 0, pixels1010},
        fieldsCase{"greenOnly", 124, 32, 3, {0, 0x0000FF00, 0}, 0, {{0xFFFFFFFF, 0x00FF00}, {0x00003400, 0x003400}}}),
    [](const ::testing::TestParamInfo<fieldsCase>& i) { return std::string(i.param.name); });

struct directCase {
    const char* name;
    uint32_t headerSize;
    unsigned bits;
    int height;
};

class directConverted : public ::testing::TestWithParam<directCase> {};

// Top-down files and headers other than 40 bytes come out bottom-up in 32 bits.
TEST_P(directConverted, keepsEveryColourInPlace) {
    const directCase& c = GetParam();
    const int width = 5, rows = c.height < 0 ? -c.height : c.height;
    auto colour = [](int x, int y) { return uint32_t(0x102030 * (x + 1) + 0x050301 * y) & 0xFFFFFF; };
    auto stored = [&](uint32_t rgb) -> uint32_t {
        if (c.bits != 16) return rgb;
        return ((rgb >> 19) & 31) << 10 | ((rgb >> 11) & 31) << 5 | ((rgb >> 3) & 31);
    };
    bmpFile f;
    f.headerSize = c.headerSize;
    f.bitCount = uint16_t(c.bits);
    f.width = width;
    f.height = c.height;
    f.pixels = packRows(c.bits, width, rows, [&](int x, int s) {
        return stored(colour(x, c.height < 0 ? s : rows - 1 - s));
    });
    decodedBmp d;
    ASSERT_TRUE(decode(f.bytes(), &d));
    expectConverted(d, width, rows);
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < width; ++x) {
            uint32_t want = colour(x, y);
            uint32_t got = pixelAt(d, x, y);
            if (c.bits == 16) // five bits a channel: compare the top five
                EXPECT_EQ(want & 0xF8F8F8, got & 0xF8F8F8) << x << "," << y;
            else
                EXPECT_EQ(want, got) << x << "," << y;
        }
}

INSTANTIATE_TEST_SUITE_P(
    kinds, directConverted,
    ::testing::Values(directCase{"topDown24", 40, 24, -3}, directCase{"topDown32", 40, 32, -2},
                      directCase{"topDown16", 40, 16, -4}, directCase{"core24", 12, 24, 3},
                      directCase{"core24Tall", 12, 24, 65}, directCase{"v4_24", 108, 24, 2},
                      directCase{"v5_24TopDown", 124, 24, -2}, directCase{"v3_32", 56, 32, 3},
                      directCase{"odd44_24", 44, 24, 2}),
    [](const ::testing::TestParamInfo<directCase>& i) { return std::string(i.param.name); });

// ---- run-length encoded ----

bmpFile rleFile(unsigned bits, int width, int height, std::vector<uint8_t> stream) {
    bmpFile f;
    f.bitCount = uint16_t(bits);
    f.compression = bits == 8 ? 1 : 2;
    f.width = width;
    f.height = height;
    f.clrUsed = 16;
    f.palette = distinctPalette(16);
    f.pixels = std::move(stream);
    return f;
}

// Expected picture rows from the top; -1 marks a pixel the stream skips.
void expectRows(const decodedBmp& d, const bmpFile& f, const std::vector<std::vector<int>>& rows) {
    expectConverted(d, f.width, int(rows.size()));
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x) {
            int i = rows[y][x];
            EXPECT_EQ(i < 0 ? black : f.palette[size_t(i)], pixelAt(d, int(x), int(y))) << x << "," << y;
        }
}

const std::vector<uint8_t> rle8Stream = {
    0x03, 0x01, 0x00, 0x03, 0x02, 0x03, 0x04, 0x00, 0x00, 0x00,  // row 0: run, odd absolute run, end of line
    0x02, 0x05, 0x00, 0x02, 0x02, 0x01, 0x02, 0x06, 0x00, 0x00,  // row 1: run, delta to row 2, run, end of line
    0x00, 0x04, 0x07, 0x08, 0x09, 0x0A, 0x00, 0x01};             // row 3: even absolute run, end of bitmap

TEST(bmpDecoder, decodesRle8WithEveryEscape) {
    bmpFile f = rleFile(8, 6, 4, rle8Stream);
    decodedBmp d;
    ASSERT_TRUE(decode(f.bytes(), &d));
    expectRows(d, f,
               {{7, 8, 9, 10, -1, -1}, {-1, -1, -1, -1, 6, 6}, {5, 5, -1, -1, -1, -1}, {1, 1, 1, 2, 3, 4}});
}

const std::vector<uint8_t> rle4Stream = {
    0x05, 0x12, 0x02, 0x34, 0x00, 0x00,              // row 0: odd run 1 2 1 2 1, run 3 4, end of line
    0x00, 0x05, 0x67, 0x89, 0xA0, 0x00,              // row 1: five nibbles, padded to a word
    0x00, 0x02, 0x01, 0x01,                          // delta to row 2, column 6
    0x01, 0xF0, 0x00, 0x00,                          // one pixel, end of line
    0x00, 0x04, 0xBC, 0xDE, 0x00, 0x01};             // row 3: four nibbles, end of bitmap

TEST(bmpDecoder, decodesRle4WithEveryEscape) {
    bmpFile f = rleFile(4, 7, 4, rle4Stream);
    decodedBmp d;
    ASSERT_TRUE(decode(f.bytes(), &d));
    expectRows(d, f,
               {{11, 12, 13, 14, -1, -1, -1},
                {-1, -1, -1, -1, -1, -1, 15},
                {6, 7, 8, 9, 10, -1, -1},
                {1, 2, 1, 2, 1, 3, 4}});
}

TEST(bmpDecoder, rleEndingEarlyLeavesTheRestBlack) {
    bmpFile f = rleFile(8, 4, 3, {0x04, 0x02, 0x00, 0x00, 0x02, 0x03, 0x00, 0x01});
    decodedBmp d;
    ASSERT_TRUE(decode(f.bytes(), &d));
    expectRows(d, f, {{-1, -1, -1, -1}, {3, 3, -1, -1}, {2, 2, 2, 2}});
}

// ---- refused ----

struct brokenCase {
    const char* name;
    std::function<std::vector<uint8_t>()> make;
};

std::vector<uint8_t> valid24() {
    bmpFile f;
    f.width = 4;
    f.height = 4;
    f.pixels = noise(48, 1);
    return f.bytes();
}

std::vector<uint8_t> valid8() {
    bmpFile f;
    f.bitCount = 8;
    f.width = 4;
    f.height = 3;
    f.palette = distinctPalette(256);
    f.pixels = noise(12, 2);
    return f.bytes();
}

std::vector<uint8_t> with(std::vector<uint8_t> b, size_t at, uint32_t v, int bytes = 4) {
    if (bytes == 2)
        put16(b, at, v);
    else
        put32(b, at, v);
    return b;
}

std::vector<uint8_t> cut(std::vector<uint8_t> b, size_t size) {
    b.resize(size);
    return b;
}

std::vector<uint8_t> rleBytes(unsigned bits, int width, int height, std::vector<uint8_t> stream) {
    return rleFile(bits, width, height, std::move(stream)).bytes();
}

class refused : public ::testing::TestWithParam<brokenCase> {};

TEST_P(refused, isFalse) {
    std::vector<uint8_t> file = GetParam().make();
    decodedBmp d;
    EXPECT_FALSE(decodeBmp(file.data(), file.size(), &d));
}

const brokenCase brokenCases[] = {
    {"empty", [] { return std::vector<uint8_t>(); }},
    {"cutAt13", [] { return cut(valid24(), 13); }},
    {"cutAt14", [] { return cut(valid24(), 14); }},
    {"cutAt30", [] { return cut(valid24(), 30); }},
    {"cutAt53", [] { return cut(valid24(), 53); }},
    {"cutAt54", [] { return cut(valid24(), 54); }},
    {"pixelsShortByOne", [] { return cut(valid24(), valid24().size() - 1); }},
    {"paletteShortByOne", [] { return cut(valid8(), 54 + 1023); }},
    {"width0", [] { return with(valid24(), 18, 0); }},
    {"widthNegative", [] { return with(valid24(), 18, uint32_t(-4)); }},
    {"widthIntMin", [] { return with(valid24(), 18, 0x80000000u); }},
    {"widthTooLarge", [] { return with(valid24(), 18, 16385); }},
    {"height0", [] { return with(valid24(), 22, 0); }},
    {"heightIntMin", [] { return with(valid24(), 22, 0x80000000u); }},
    {"heightTooLarge", [] { return with(valid24(), 22, 16385); }},
    {"heightTooLargeTopDown", [] { return with(valid24(), 22, uint32_t(-16385)); }},
    {"widthTimesHeightHuge", [] { return with(with(valid24(), 18, 16384), 22, 16384); }},
    {"widthHugeTopDown", [] { return with(with(valid24(), 18, 16384), 22, uint32_t(-16384)); }},
    {"bitCount0", [] { return with(valid24(), 28, 0, 2); }},
    {"bitCount2", [] { return with(valid8(), 28, 2, 2); }},
    {"bitCount3", [] { return with(valid8(), 28, 3, 2); }},
    {"bitCount64", [] { return with(valid24(), 28, 64, 2); }},
    {"bitCount48", [] { return with(valid24(), 28, 48, 2); }},
    {"fieldsWithBitCount8", [] { return with(valid8(), 30, 3); }},
    {"fieldsWithBitCount24", [] { return with(valid24(), 30, 3); }},
    {"rle8WithBitCount24", [] { return with(valid24(), 30, 1); }},
    {"rle4WithBitCount8", [] { return with(valid8(), 30, 2); }},
    {"compressionJpeg", [] { return with(valid24(), 30, 4); }},
    {"compressionPng", [] { return with(valid24(), 30, 5); }},
    {"compression99", [] { return with(valid24(), 30, 99); }},
    {"planes0", [] { return with(valid24(), 26, 0, 2); }},
    {"planes2", [] { return with(valid24(), 26, 2, 2); }},
    {"offsetPastEnd", [] { return with(valid24(), 10, uint32_t(valid24().size() + 1)); }},
    {"offsetAtEnd", [] { return with(valid24(), 10, uint32_t(valid24().size())); }},
    {"offsetHuge", [] { return with(valid24(), 10, 0xFFFFFFFFu); }},
    {"offset0", [] { return with(valid24(), 10, 0); }},
    {"offsetInsideHeader", [] { return with(valid24(), 10, 53); }},
    {"offsetInsidePalette", [] { return with(valid8(), 10, 54 + 1020); }},
    {"paletteCountHuge", [] { return with(valid8(), 46, 0xFFFFFFFFu); }},
    {"palettePastPixels", [] { return with(valid8(), 46, 257); }},
    {"headerSize0", [] { return with(valid24(), 14, 0); }},
    {"headerSize11", [] { return with(valid24(), 14, 11); }},
    {"headerSize13", [] { return with(valid24(), 14, 13); }},
    {"headerSize16", [] { return with(valid24(), 14, 16); }},
    {"headerSize39", [] { return with(valid24(), 14, 39); }},
    {"headerPastEnd", [] { return with(valid24(), 14, uint32_t(valid24().size() - 13)); }},
    {"headerSizeHuge", [] { return with(valid24(), 14, 0xFFFFFFFFu); }},
    {"coreCut", [] {
         bmpFile f;
         f.headerSize = 12;
         f.width = 2;
         f.pixels = noise(8, 3);
         return cut(f.bytes(), 25);
     }},
    {"coreWidth0", [] {
         bmpFile f;
         f.headerSize = 12;
         f.width = 0;
         f.pixels = noise(8, 3);
         return f.bytes();
     }},
    {"corePaletteShort", [] {
         bmpFile f;
         f.headerSize = 12;
         f.bitCount = 8;
         f.width = 4;
         f.palette = distinctPalette(255);
         f.pixels = noise(4, 3);
         return f.bytes();
     }},
    {"masksPastEnd", [] {
         bmpFile f;
         f.bitCount = 16;
         f.compression = 3;
         f.masksAfter = 12;
         f.pixels = noise(4, 4);
         return cut(f.bytes(), 54 + 11);
     }},
    {"offsetInsideMasks", [] {
         bmpFile f;
         f.bitCount = 16;
         f.compression = 3;
         f.masksAfter = 12;
         f.masks[0] = 0x7C00;
         f.pixels = noise(64, 4);
         f.offset = 54 + 8;
         return f.bytes();
     }},
    {"offsetInsideAlphaMask", [] {
         bmpFile f;
         f.bitCount = 32;
         f.compression = 6;
         f.masksAfter = 16;
         f.masks[0] = 0xFF;
         f.pixels = noise(64, 4);
         f.offset = 54 + 12;
         return f.bytes();
     }},
    {"maskNotContiguous", [] {
         bmpFile f;
         f.headerSize = 124;
         f.bitCount = 32;
         f.compression = 3;
         f.masks[0] = 0x00FF00FF;
         f.pixels = noise(4, 4);
         return f.bytes();
     }},
    {"mask16Wider", [] {
         bmpFile f;
         f.headerSize = 124;
         f.bitCount = 16;
         f.compression = 3;
         f.masks[0] = 0x1F0000;
         f.pixels = noise(4, 4);
         return f.bytes();
     }},
    {"convertedTooLarge", [] {
         bmpFile f; // a valid 2 MB file whose 32-bit form would pass the limit
         f.bitCount = 1;
         f.width = 4097;
         f.height = 4097;
         f.palette = {0, 0xFFFFFF};
         f.pixels.resize(rowLength(1, 4097) * 4097);
         return f.bytes();
     }},
    {"rleNoEnd", [] { return rleBytes(8, 4, 2, {0x04, 0x01, 0x00, 0x00}); }},
    {"rleEmpty", [] { return rleBytes(8, 4, 2, {}); }},
    {"rleHalfPair", [] { return rleBytes(8, 4, 2, {0x04, 0x01, 0x00}); }},
    {"rleDeltaCut", [] { return rleBytes(8, 4, 2, {0x00, 0x02, 0x01}); }},
    {"rleAbsoluteCut", [] { return rleBytes(8, 4, 2, {0x00, 0x04, 0x01, 0x02}); }},
    {"rleAbsolutePaddingCut", [] { return rleBytes(8, 4, 2, {0x00, 0x03, 0x01, 0x02, 0x03}); }},
    {"rle4AbsoluteCut", [] { return rleBytes(4, 8, 2, {0x00, 0x05, 0x12, 0x34}); }},
    {"rleRunPastRow", [] { return rleBytes(8, 4, 2, {0x05, 0x01, 0x00, 0x01}); }},
    {"rle4RunPastRow", [] { return rleBytes(4, 4, 2, {0x05, 0x11, 0x00, 0x01}); }},
    {"rleAbsolutePastRow", [] { return rleBytes(8, 4, 2, {0x00, 0x05, 1, 2, 3, 4, 5, 0, 0x00, 0x01}); }},
    {"rleDeltaPastRowThenPixel", [] { return rleBytes(8, 4, 2, {0x00, 0x02, 0x04, 0x00, 0x01, 0x01, 0x00, 0x01}); }},
    {"rleDeltaPastImageThenPixel",
     [] { return rleBytes(8, 4, 2, {0x00, 0x02, 0x00, 0x02, 0x01, 0x01, 0x00, 0x01}); }},
    {"rleEndOfLinePastImageThenPixel",
     [] { return rleBytes(8, 4, 1, {0x01, 0x01, 0x00, 0x00, 0x01, 0x01, 0x00, 0x01}); }},
    {"rleTopDown", [] { return rleBytes(8, 4, -2, {0x04, 0x01, 0x00, 0x01}); }},
    {"rleOffsetAtEnd", [] {
         auto b = rleBytes(8, 4, 2, {0x04, 0x01, 0x00, 0x01});
         return with(b, 10, uint32_t(b.size()));
     }},
};

INSTANTIATE_TEST_SUITE_P(files, refused, ::testing::ValuesIn(brokenCases),
                         [](const ::testing::TestParamInfo<brokenCase>& i) { return std::string(i.param.name); });

// The fixtures the refusals start from are themselves readable, so each refusal is the change's doing.
TEST(bmpDecoder, refusalBasesAreValid) {
    decodedBmp d;
    EXPECT_TRUE(decode(valid24(), &d));
    EXPECT_TRUE(decode(valid8(), &d));
    EXPECT_TRUE(decode(rleBytes(8, 4, 2, {0x04, 0x01, 0x00, 0x01}), &d));
    EXPECT_TRUE(decode(rleBytes(8, 4, 2, {0x00, 0x03, 0x01, 0x02, 0x03, 0x00, 0x00, 0x01}), &d));
    EXPECT_TRUE(decode(with(valid8(), 46, 256), &d));
    EXPECT_TRUE(decode(with(with(valid24(), 18, 1), 22, uint32_t(-1)), &d));
}

TEST(bmpDecoder, refusesEveryTruncation) {
    bmpFile core;
    core.headerSize = 12;
    core.bitCount = 4;
    core.width = 3;
    core.height = 2;
    core.palette = distinctPalette(16);
    core.pixels = noise(8, 5);
    bmpFile fields;
    fields.headerSize = 40;
    fields.bitCount = 32;
    fields.compression = 6;
    fields.masksAfter = 16;
    fields.masks[0] = 0xFF;
    fields.pixels = noise(4, 6);
    const std::vector<std::vector<uint8_t>> files = {valid24(), valid8(), core.bytes(), fields.bytes(),
                                                     rleFile(8, 6, 4, rle8Stream).bytes(),
                                                     rleFile(4, 7, 4, rle4Stream).bytes()};
    for (size_t i = 0; i < files.size(); ++i) {
        decodedBmp d;
        ASSERT_TRUE(decode(files[i], &d)) << "file " << i;
        for (size_t size = 0; size < files[i].size(); ++size) {
            // a copy of exactly that size, so the sanitizer sees any read past it
            std::vector<uint8_t> prefix(files[i].begin(), files[i].begin() + long(size));
            EXPECT_FALSE(decodeBmp(prefix.data(), prefix.size(), &d)) << "file " << i << " cut at " << size;
        }
    }
}

TEST(bmpDecoder, refusesNullInput) {
    decodedBmp d;
    std::vector<uint8_t> file = valid24();
    EXPECT_FALSE(decodeBmp(nullptr, 0, &d));
    EXPECT_FALSE(decodeBmp(nullptr, file.size(), &d));
    EXPECT_FALSE(decodeBmp(file.data(), file.size(), nullptr));
}

TEST(bmpDecoder, refusesAFileLargerThanTheLimit) {
    bmpFile f;
    f.width = 1;
    f.pixels.resize(maxBmpFileSize);
    std::vector<uint8_t> file = f.bytes();
    decodedBmp d;
    EXPECT_FALSE(decode(file, &d));
    file.resize(maxBmpFileSize);
    EXPECT_TRUE(decode(file, &d));
}

TEST(bmpDecoder, acceptsTheLargestConvertedImage) {
    bmpFile f;
    f.bitCount = 1;
    f.width = 4096;
    f.height = 4096;
    f.palette = {0x000000, 0x123456};
    f.pixels.assign(rowLength(1, 4096) * 4096, 0);
    f.pixels[0] = 0x80; // bottom row, first pixel
    decodedBmp d;
    ASSERT_TRUE(decode(f.bytes(), &d));
    expectConverted(d, 4096, 4096);
    EXPECT_EQ(0x123456u, pixelAt(d, 0, 4095));
    EXPECT_EQ(black, pixelAt(d, 1, 4095));
}

} // namespace
