// The file object: the runtime's results passed through, and defined results on a file that is not open.
#include "aFile.h"
#include "scratchFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

TEST(fileTest, aMissingFileIsNotOpenAndEveryOperationAnswersMinusOne) {
    scratchFolder folder;
    aFile file(folder.file("missing.bin").c_str(), _O_RDONLY | _O_BINARY);
    EXPECT_FALSE(file.isOpen());
    char buffer[4];
    EXPECT_EQ(-1, file.read(buffer, 4));
    EXPECT_EQ(-1, file.write("x", 1));
    EXPECT_EQ(-1, file.seek(0, SEEK_SET));
    EXPECT_EQ(-1, file.length());
    EXPECT_EQ(-1, file.tell());
    EXPECT_EQ(-1, file.eof());
}

TEST(fileTest, readSeekTellAndEofPassTheRuntimesResultsThrough) {
    scratchFolder folder;
    writeFile(folder.file("data.bin"), std::string("ab\r\ncd\n\0z", 9));
    aFile file(folder.file("data.bin").c_str(), _O_RDONLY | _O_BINARY);
    ASSERT_TRUE(file.isOpen());
    EXPECT_EQ(9, file.length());
    char buffer[16];
    EXPECT_EQ(4, file.read(buffer, 4));
    EXPECT_EQ(std::string("ab\r\n"), std::string(buffer, 4));
    EXPECT_EQ(4, file.tell());
    EXPECT_EQ(0, file.eof());
    EXPECT_EQ(5, file.read(buffer, 16));
    EXPECT_EQ(1, file.eof());
    EXPECT_EQ(0, file.read(buffer, 16)) << "0 at the end of the file";
    EXPECT_EQ(9, file.seek(0, SEEK_END));
    EXPECT_EQ(0, file.seek(0, SEEK_SET));
    EXPECT_EQ(2, file.seek(2, SEEK_CUR));
}

TEST(fileTest, theThreeArgumentFormCreatesAFileAndWritesItsBytesExactly) {
    scratchFolder folder;
    const std::string bytes("line\r\nnext\nend", 14);
    {
        aFile file(folder.file("new.bin").c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, _S_IREAD | _S_IWRITE);
        ASSERT_TRUE(file.isOpen());
        EXPECT_EQ(14, file.write(bytes.data(), 14));
    }
    EXPECT_EQ(bytes, readFile(folder.file("new.bin")));
}

TEST(fileTest, theDestructorReleasesTheDescriptor) {
    scratchFolder folder;
    writeFile(folder.file("data.bin"), "x");
    // The runtime's table holds far fewer descriptors than this: a leak would run it out.
    for (int i = 0; i < 3000; i++) {
        aFile file(folder.file("data.bin").c_str(), _O_RDONLY | _O_BINARY);
        ASSERT_TRUE(file.isOpen()) << "after " << i << " files";
    }
}
