// Everything read from outside, spoiled on purpose: BMP files and registry values. Each ends in its
// defined outcome: shown, refused (the int 1, which leads to the recovery), or an event that never fires.
#include "aBitmap.h"
#include "clockFixture.h"

#include "aPopupMenu.h"
#include "aStringList.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace {
// The files every mutation starts from: the installed skins.
std::vector<std::string> seedFiles() {
    std::vector<std::string> seeds;
    for (const char* skin : {"Black-White", "Default", "Gold", "NewStyle", "Original"})
        for (const char* file : {"Main.bmp", "Blink.bmp"})
            seeds.push_back(readFile(installFolder() + "\\Skins\\" + skin + "\\" + file));
    return seeds;
}

void put32(std::string& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4 && at + i < bytes.size(); i++) bytes[at + i] = static_cast<char>(value >> (8 * i));
}
void put16(std::string& bytes, size_t at, uint16_t value) {
    for (int i = 0; i < 2 && at + i < bytes.size(); i++) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

// One seeded spoiling of a valid file: truncation, header bit flips, absurd sizes, every bit count and
// compression, offsets past the end.
std::string mutate(std::string bytes, std::mt19937& random) {
    const uint32_t absurd[] = {0, 1, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 65, 16385, 0xFFFFFFBF, 1u << 20};
    switch (random() % 8) {
    case 0:
        bytes.resize(random() % bytes.size());
        break;
    case 1:
        for (int flips = 1 + random() % 4; flips > 0; flips--) bytes[random() % 70] ^= static_cast<char>(1 << (random() % 8));
        break;
    case 2:
        put32(bytes, 18 + 4 * (random() % 2), absurd[random() % 9]); // width or height
        break;
    case 3:
        put16(bytes, 28, static_cast<uint16_t>(random() % 65)); // bit count
        break;
    case 4:
        put32(bytes, 30, random() % 12); // compression
        break;
    case 5:
        put32(bytes, 10, absurd[random() % 9] + random() % 20000); // pixel offset
        break;
    case 6:
        put32(bytes, 14, absurd[random() % 9] % 200); // header size
        break;
    default:
        put32(bytes, 46, absurd[random() % 9]); // colours used
        put16(bytes, 28, static_cast<uint16_t>(1u << (random() % 4)));
        break;
    }
    return bytes;
}
} // namespace

TEST(badBmpTest, tenThousandSpoiledSkinFilesAreEachReadWholeOrRefusedWithOne) {
    scratchFolder folder;
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 65, 65, nullptr, nullptr, nullptr, nullptr);
    HDC dc = GetDC(window);
    std::vector<std::string> seeds = seedFiles();
    ASSERT_EQ(10u, seeds.size());
    std::mt19937 random(20261211);
    int shown = 0, refused = 0;
    const std::string path = folder.file("spoiled.bmp");
    for (int i = 0; i < 10000; i++) {
        writeFile(path, mutate(seeds[i % seeds.size()], random));
        try {
            aBitmap bitmap(path.c_str());
            const BITMAPINFOHEADER& header = bitmap.getInfo().bmiHeader;
            const uint64_t row = ((uint64_t(header.biWidth) * header.biBitCount + 31) / 32) * 4;
            ASSERT_EQ(row * uint64_t(header.biHeight), bitmap.getBitsSize()) << "file " << i;
            HBITMAP image = bitmap.createBitmap(dc);
            ASSERT_NE(nullptr, image) << "file " << i;
            DeleteObject(image);
            shown++;
        } catch (int thrown) {
            ASSERT_EQ(1, thrown) << "file " << i;
            refused++;
        }
    }
    printf("[ outcome  ] 10000 spoiled files: %d shown, %d refused with the int 1\n", shown, refused);
    EXPECT_GT(shown, 100);
    EXPECT_GT(refused, 100);
    ReleaseDC(window, dc);
    DestroyWindow(window);
}

class badRegistryTest : public clockTest {
protected:
    void SetUp() override {
        clockTest::SetUp();
        storeSettings();
    }
};

TEST_F(badRegistryTest, eventValuesOfEveryWrongShapeNeverFireAndKeepTheirPlace) {
    const DWORD number = 0x3A323131; // "11:2" as bytes, but a number
    writeRaw(eventsKeyPath, "Event0", REG_DWORD, &number, sizeof number);
    writeRaw(eventsKeyPath, "Event1", REG_BINARY, "12:00 binary", 12);       // no NUL, the wrong type: read as text
    writeRaw(eventsKeyPath, "Event2", REG_SZ, "", 0);                       // empty
    writeRaw(eventsKeyPath, "Event3", REG_SZ, "12:00 a\0hidden", 15);       // a NUL inside
    writeRaw(eventsKeyPath, "Event4", REG_MULTI_SZ, "12:00 multi\0\0", 13);
    writeText(eventsKeyPath, "Event5", std::string(5000, '9').c_str());     // over-long
    writeText(eventsKeyPath, "Event6", "12:");                              // not two numbers
    writeNumber(eventsKeyPath, "Count", 8);                                 // Event7 missing
    startClock();
    ASSERT_EQ(8u, clock->eventCount);
    EXPECT_EQ(8, clock->eventTexts->count());
    EXPECT_EQ(-1, clock->eventHours[0]) << "four bytes that do not start with two numbers";
    EXPECT_EQ(12, clock->eventHours[1]);
    EXPECT_STREQ("binary", clock->eventTexts->get(1));
    for (int i : {2, 5, 6, 7}) EXPECT_EQ(-1, clock->eventHours[i]) << i;
    EXPECT_STREQ("a", clock->eventTexts->get(3));
    EXPECT_STREQ("multi", clock->eventTexts->get(4));
}

TEST_F(badRegistryTest, numbersOfTheWrongSizeReadAsMissing) {
    const uint16_t shortCount = 3;
    const uint64_t longNumber = 7;
    writeRaw(eventsKeyPath, "Count", REG_BINARY, &shortCount, sizeof shortCount);
    writeRaw(productKeyPath, "BlinkLength", REG_QWORD, &longNumber, sizeof longNumber);
    writeText(productKeyPath, "TopPos", "3000"); // five bytes with the NUL
    startClock();
    EXPECT_EQ(0u, clock->eventCount) << "a 2-byte Count is no count";
    EXPECT_EQ(15, clock->blinkLength) << "an 8-byte value leaves the default";
    RECT r;
    GetWindowRect(clock->handle(), &r);
    EXPECT_EQ(0, r.top) << "a text is no position";
    EXPECT_EQ(200, r.left);
}

TEST_F(badRegistryTest, keysThatCannotBeCreatedGiveAClockWithTheDefaultSkinAndNoRestart) {
    // Below a volatile key only volatile keys can be made: every RegCreateKeyA of the clock fails there.
    deleteTree("Software\\Quorvane");
    HKEY maker;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Quorvane", 0, nullptr, REG_OPTION_VOLATILE,
                                             KEY_ALL_ACCESS, nullptr, &maker, nullptr));
    RegCloseKey(maker);
    HKEY probe;
    if (RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Quorvane\\Probe", &probe) == ERROR_SUCCESS) {
        RegCloseKey(probe);
        deleteTree("Software\\Quorvane\\Probe");
        GTEST_SKIP() << "this registry lets a lasting key be made below a volatile one";
    }
    startClock(); // a restart would end this process here
    EXPECT_FALSE(keyExists(productKeyPath));
    ASSERT_EQ(2u, boxes.boxes().size());
    EXPECT_EQ("Program is running for first time.", boxes.boxes()[0].text);
    EXPECT_EQ("Error occured", boxes.boxes()[1].caption);
    EXPECT_STREQ("Default", clock->skinName);
    EXPECT_NE(nullptr, clock->mainImage) << "Default loaded in place";
    stopClock();
    EXPECT_FALSE(keyExists(productKeyPath)) << "the end does not create it either";
}

TEST_F(badRegistryTest, aReadOnlySkinsFolderLoadsAllTheSame) {
    for (const char* path : {"Skins", "Skins\\Default", "Skins\\Default\\Main.bmp", "Skins\\Default\\Blink.bmp"})
        SetFileAttributesA(folder.file(path).c_str(), FILE_ATTRIBUTE_READONLY);
    startClock();
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_NE(nullptr, clock->mainImage);
    EXPECT_NE(nullptr, clock->blinkImage);
    EXPECT_EQ(5, GetMenuItemCount(clock->skinMenu->getHandle()));
}
