// aBitmap on files written to a temporary folder: what it reads, what it refuses and what it draws.
#include "aBitmap.h"
#include "littleEndian.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <io.h>
#include <string>
#include <vector>

namespace {

size_t rowLength(unsigned bits, int width) { return ((size_t(width) * bits + 31) / 32) * 4; }

// A BMP with a 40-byte header; palette entries are 0xRRGGBB, pixels the rows as stored.
std::vector<uint8_t> bmpBytes(int width, int height, unsigned bits, const std::vector<uint32_t>& palette,
                              const std::vector<uint8_t>& pixels, uint32_t compression = 0) {
    std::vector<uint8_t> b(54, 0);
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 14, 40);
    put32(b, 18, uint32_t(width));
    put32(b, 22, uint32_t(height));
    put16(b, 26, 1);
    put16(b, 28, bits);
    put32(b, 30, compression);
    put32(b, 46, uint32_t(palette.size()));
    for (uint32_t c : palette) {
        b.push_back(uint8_t(c));
        b.push_back(uint8_t(c >> 8));
        b.push_back(uint8_t(c >> 16));
        b.push_back(0);
    }
    put32(b, 10, uint32_t(b.size()));
    b.insert(b.end(), pixels.begin(), pixels.end());
    put32(b, 2, uint32_t(b.size()));
    return b;
}

// The colour at (x, y), y from the top, of the 24-bit test picture; every position differs.
uint32_t pictureColour(int x, int y) {
    return uint32_t(((x * 4) & 0xFF) << 16 | ((y * 4) & 0xFF) << 8 | (((x + y) * 2) & 0xFF));
}

std::vector<uint8_t> picture24(int width, int height) {
    size_t stride = rowLength(24, width);
    std::vector<uint8_t> rows(stride * size_t(height), 0);
    for (int s = 0; s < height; ++s)
        for (int x = 0; x < width; ++x) {
            uint32_t c = pictureColour(x, height - 1 - s); // the first stored row is the bottom one
            uint8_t* p = &rows[size_t(s) * stride + size_t(x) * 3];
            p[0] = uint8_t(c);
            p[1] = uint8_t(c >> 8);
            p[2] = uint8_t(c >> 16);
        }
    return bmpBytes(width, height, 24, {}, rows);
}

const std::vector<uint32_t> sixteenColours = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF,
                                              0xFF00FF, 0xFFFFFF, 0x804020, 0x208040, 0x402080, 0xC0C0C0,
                                              0x606060, 0xA02060, 0x60A020, 0x2060A0};

int paletteIndex(int x, int y) { return (x + 3 * y) % 16; }

std::vector<uint8_t> picture8(int width, int height) {
    size_t stride = rowLength(8, width);
    std::vector<uint8_t> rows(stride * size_t(height), 0);
    for (int s = 0; s < height; ++s)
        for (int x = 0; x < width; ++x) rows[size_t(s) * stride + size_t(x)] = uint8_t(paletteIndex(x, height - 1 - s));
    return bmpBytes(width, height, 8, sixteenColours, rows);
}

std::vector<uint8_t> noiseBytes(size_t count) {
    std::vector<uint8_t> out(count);
    uint32_t seed = 7;
    for (auto& b : out) {
        seed = seed * 1103515245u + 12345u;
        b = uint8_t(seed >> 16);
    }
    return out;
}

std::vector<uint8_t> with32(std::vector<uint8_t> b, size_t at, uint32_t v) {
    put32(b, at, v);
    return b;
}
std::vector<uint8_t> with16(std::vector<uint8_t> b, size_t at, uint32_t v) {
    put16(b, at, v);
    return b;
}
std::vector<uint8_t> cut(std::vector<uint8_t> b, size_t size) {
    b.resize(size);
    return b;
}

class aBitmapFile : public ::testing::Test {
protected:
    std::string folder;
    std::vector<std::string> written;

    void SetUp() override {
        char temp[MAX_PATH];
        DWORD length = GetTempPathA(MAX_PATH, temp);
        ASSERT_GT(length, 0u);
        ASSERT_LT(length, DWORD(MAX_PATH));
        for (unsigned i = 0;; ++i) {
            ASSERT_LT(i, 1000u) << "no free folder name in " << temp;
            folder = std::string(temp) + "bellwickBitmap" + std::to_string(GetCurrentProcessId()) + "_" +
                     std::to_string(i);
            if (CreateDirectoryA(folder.c_str(), nullptr)) break;
            ASSERT_EQ(DWORD(ERROR_ALREADY_EXISTS), GetLastError());
        }
    }

    void TearDown() override {
        for (const std::string& path : written) DeleteFileA(path.c_str());
        if (!folder.empty()) {
            EXPECT_TRUE(RemoveDirectoryA(folder.c_str())) << folder;
        }
    }

    std::string write(const std::string& name, const std::vector<uint8_t>& bytes) {
        std::string path = folder + "\\" + name;
        FILE* f = fopen(path.c_str(), "wb");
        EXPECT_NE(nullptr, f) << path;
        if (f != nullptr) {
            EXPECT_EQ(bytes.size(), fwrite(bytes.data(), 1, bytes.size(), f));
            fclose(f);
        }
        written.push_back(path);
        return path;
    }
};

// Throws the int 1, nothing else.
void expectRefused(const std::string& path) {
    EXPECT_THROW({ aBitmap b(path.c_str()); }, int) << path;
    try {
        aBitmap b(path.c_str());
        ADD_FAILURE() << "read " << path;
    } catch (int e) {
        EXPECT_EQ(1, e) << path;
    }
}

struct keptCase {
    unsigned bits;
    unsigned long size;
};

TEST_F(aBitmapFile, keepsA65By65DirectColourFileAsStored) {
    for (keptCase c : {keptCase{24, 12740}, keptCase{32, 16900}}) {
        SCOPED_TRACE(c.bits);
        std::vector<uint8_t> file = bmpBytes(65, 65, c.bits, {}, noiseBytes(c.size));
        aBitmap b(write("kept" + std::to_string(c.bits) + ".bmp", file).c_str());
        ASSERT_EQ(c.size, b.getBitsSize());
        EXPECT_EQ(0, memcmp(file.data() + 54, b.getBits(), c.size));
        EXPECT_EQ(0, memcmp(file.data(), &b.getFileHeader(), 14));
        EXPECT_EQ(0x4D42, b.getFileHeader().bfType);
        EXPECT_EQ(54u, b.getFileHeader().bfOffBits);
        EXPECT_EQ(0, memcmp(file.data() + 14, &b.getInfo().bmiHeader, 40));
        EXPECT_EQ(65, b.getInfo().bmiHeader.biWidth);
        EXPECT_EQ(65, b.getInfo().bmiHeader.biHeight);
        EXPECT_EQ(c.bits, b.getInfo().bmiHeader.biBitCount);
    }
}

TEST_F(aBitmapFile, convertsAPaletteFileTo32Bits) {
    aBitmap b(write("palette.bmp", picture8(5, 3)).c_str());
    EXPECT_EQ(32, b.getInfo().bmiHeader.biBitCount);
    EXPECT_EQ(DWORD(BI_RGB), b.getInfo().bmiHeader.biCompression);
    EXPECT_EQ(0u, b.getInfo().bmiHeader.biClrUsed);
    ASSERT_EQ(60u, b.getBitsSize());
    // bottom row, first pixel: B, G, R, 0
    uint32_t c = sixteenColours[size_t(paletteIndex(0, 2))];
    const uint8_t expected[4] = {uint8_t(c), uint8_t(c >> 8), uint8_t(c >> 16), 0};
    EXPECT_EQ(0, memcmp(expected, b.getBits(), 4));
}

TEST_F(aBitmapFile, refusesAMissingFileAndAFolder) {
    expectRefused(folder + "\\missing.bmp");
    expectRefused(folder);
}

struct brokenCase {
    const char* name;
    std::vector<uint8_t> bytes;
};

TEST_F(aBitmapFile, refusesBrokenFiles) {
    const std::vector<uint8_t> good = picture24(4, 4);
    const std::vector<brokenCase> cases = {
        {"empty", {}},
        {"cutAt13", cut(good, 13)},
        {"cutAt30", cut(good, 30)},
        {"cutAt53", cut(good, 53)},
        {"pixelsShortByOne", cut(good, good.size() - 1)},
        {"width0", with32(good, 18, 0)},
        {"heightIntMin", with32(good, 22, 0x80000000u)},
        {"widthTimesHeightHuge", with32(with32(good, 18, 16384), 22, 16384)},
        {"bitCount2", with16(good, 28, 2)},
        {"compressionPng", with32(good, 30, 5)},
        {"planes0", with16(good, 26, 0)},
        {"offsetPastEnd", with32(good, 10, uint32_t(good.size() + 1))},
        {"headerSize39", with32(good, 14, 39)},
        {"rleWithoutEnd", bmpBytes(4, 2, 8, sixteenColours, {0x04, 0x01, 0x00, 0x00}, 1)},
        {"rlePastTheImage", bmpBytes(4, 1, 8, sixteenColours, {0x05, 0x01, 0x00, 0x01}, 1)},
    };
    for (const brokenCase& c : cases) {
        SCOPED_TRACE(c.name);
        expectRefused(write(std::string(c.name) + ".bmp", c.bytes));
    }
}

// A window DC of the display, released on destruction.
class windowDc {
public:
    windowDc() {
        window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 65, 65, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        dc = window != nullptr ? GetDC(window) : nullptr;
    }
    ~windowDc() {
        if (dc != nullptr) ReleaseDC(window, dc);
        if (window != nullptr) DestroyWindow(window);
    }
    HWND window;
    HDC dc;
};

// Compares every pixel of bitmap with expected(x, y); a display under 24 bits keeps only the top bits.
void expectPixels(HDC windowDc, HBITMAP bitmap, int width, int height, uint32_t (*expected)(int, int)) {
    const COLORREF mask = GetDeviceCaps(windowDc, BITSPIXEL) >= 24 ? 0xFFFFFF : 0xE0E0E0;
    HDC memory = CreateCompatibleDC(windowDc);
    ASSERT_NE(nullptr, memory);
    HGDIOBJ old = SelectObject(memory, bitmap);
    int wrong = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint32_t rgb = expected(x, y);
            COLORREF want = RGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF);
            COLORREF got = GetPixel(memory, x, y);
            if ((got & mask) != (want & mask) && ++wrong <= 5)
                ADD_FAILURE() << "at " << x << "," << y << std::hex << ": 0x" << got << " instead of 0x" << want;
        }
    EXPECT_EQ(0, wrong);
    SelectObject(memory, old);
    DeleteDC(memory);
}

TEST_F(aBitmapFile, createBitmapDrawsA24BitFile) {
    aBitmap b(write("picture24.bmp", picture24(65, 65)).c_str());
    windowDc w;
    ASSERT_NE(nullptr, w.dc);
    HBITMAP bitmap = b.createBitmap(w.dc);
    ASSERT_NE(nullptr, bitmap);
    BITMAP described;
    ASSERT_NE(0, GetObjectA(bitmap, sizeof described, &described));
    EXPECT_EQ(65, described.bmWidth);
    EXPECT_EQ(65, described.bmHeight);
    expectPixels(w.dc, bitmap, 65, 65, pictureColour);
    DeleteObject(bitmap);
}

TEST_F(aBitmapFile, createBitmapDrawsAPaletteFile) {
    aBitmap b(write("picture8.bmp", picture8(65, 65)).c_str());
    windowDc w;
    ASSERT_NE(nullptr, w.dc);
    HBITMAP bitmap = b.createBitmap(w.dc);
    ASSERT_NE(nullptr, bitmap);
    expectPixels(w.dc, bitmap, 65, 65, [](int x, int y) { return sixteenColours[size_t(paletteIndex(x, y))]; });
    DeleteObject(bitmap);
}

// Every path out of the constructor closes its descriptor, so the numbers are reused.
TEST_F(aBitmapFile, leaksNoDescriptor) {
    const std::string good = write("good.bmp", picture24(3, 3));
    const std::string broken = write("broken.bmp", with16(picture24(3, 3), 28, 2));
    const std::string empty = write("empty.bmp", {});
    const std::string missing = folder + "\\missing.bmp";
    int refusals = 0;
    for (int i = 0; i < 2000; ++i) {
        { aBitmap b(good.c_str()); }
        for (const std::string* path : {&broken, &empty, &missing}) {
            try {
                aBitmap b(path->c_str());
            } catch (int) {
                ++refusals;
            }
        }
    }
    EXPECT_EQ(6000, refusals);
    int fd = _open(good.c_str(), _O_RDONLY | _O_BINARY);
    EXPECT_GE(fd, 0);
    EXPECT_LT(fd, 100);
    if (fd >= 0) _close(fd);
}

} // namespace
