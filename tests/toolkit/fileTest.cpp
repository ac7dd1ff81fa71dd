// The file object: the runtime's results passed through, and defined results on a file that is not open.
#include "aFile.h"
#include "scratchFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

namespace {
// The runtime sets errno (EBADF) when it is called with an invalid descriptor: an unchanged errno shows
// that a file that is not open never reached it.
void expectEveryOperationAnswersMinusOneWithoutTheRuntime(aFile& file) {
    EXPECT_FALSE(file.isOpen());
    char buffer[4];
    errno = 0;
    EXPECT_EQ(-1, file.read(buffer, 4));
    EXPECT_EQ(-1, file.write("x", 1));
    EXPECT_EQ(-1, file.seek(0, SEEK_SET));
    EXPECT_EQ(-1, file.length());
    EXPECT_EQ(-1, file.tell());
    EXPECT_EQ(-1, file.eof());
    EXPECT_EQ(0, errno) << "an invalid descriptor was handed to the runtime";
}
} // namespace

TEST(fileTest, aMissingFileIsNotOpenAndEveryOperationAnswersMinusOne) {
    scratchFolder folder;
    {
        aFile file(folder.file("missing.bin").c_str(), _O_RDONLY | _O_BINARY);
        expectEveryOperationAnswersMinusOneWithoutTheRuntime(file);
        errno = 0;
    }
    EXPECT_EQ(0, errno) << "the destructor closed a descriptor it never had";
    {
        aFile file(folder.file("no\\folder.bin").c_str(), _O_WRONLY | _O_CREAT | _O_BINARY, _S_IREAD | _S_IWRITE);
        expectEveryOperationAnswersMinusOneWithoutTheRuntime(file);
        errno = 0;
    }
    EXPECT_EQ(0, errno);
}

TEST(fileTest, readSeekTellAndEofPassTheRuntimesResultsThrough) {
    scratchFolder folder;
    writeFile(folder.file("data.bin"), std::string("ab\r\ncd\n\0z", 9));
    aFile file(folder.file("data.bin").c_str(), _O_RDONLY | _O_BINARY);
    ASSERT_TRUE(file.isOpen());
    EXPECT_EQ(9, file.length());
    EXPECT_EQ(0, file.tell());
    char buffer[16];
    EXPECT_EQ(4, file.read(buffer, 4));
    EXPECT_EQ(std::string("ab\r\n"), std::string(buffer, 4));
    EXPECT_EQ(4, file.tell());
    EXPECT_EQ(0, file.eof());
    EXPECT_EQ(5, file.read(buffer, 16)) << "the bytes there were, not the bytes asked for";
    EXPECT_EQ(std::string("cd\n\0z", 5), std::string(buffer, 5));
    EXPECT_EQ(9, file.tell());
    EXPECT_EQ(1, file.eof());
    EXPECT_EQ(0, file.read(buffer, 16)) << "0 at the end of the file";
    EXPECT_EQ(0, file.seek(0, SEEK_SET));
    EXPECT_EQ(0, file.eof());
    EXPECT_EQ(9, file.seek(0, SEEK_END));
    EXPECT_EQ(1, file.eof());
    EXPECT_EQ(3, file.seek(3, SEEK_SET));
    EXPECT_EQ(5, file.seek(2, SEEK_CUR));
    EXPECT_EQ(1, file.read(buffer, 1));
    EXPECT_EQ('d', buffer[0]);
    EXPECT_EQ(9, file.length()) << "the length does not move the position";
    EXPECT_EQ(6, file.tell());
}

TEST(fileTest, theThreeArgumentFormCreatesAFileAndWritesItsBytesExactly) {
    scratchFolder folder;
    const std::string bytes("line\r\nnext\nend", 14);
    {
        aFile file(folder.file("new.bin").c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, _S_IREAD | _S_IWRITE);
        ASSERT_TRUE(file.isOpen());
        EXPECT_EQ(14, file.write(bytes.data(), 14));
        EXPECT_EQ(14, file.tell());
        EXPECT_EQ(14, file.length());
    }
    EXPECT_EQ(bytes, readFile(folder.file("new.bin")));
    aFile reread(folder.file("new.bin").c_str(), _O_RDONLY | _O_BINARY);
    char buffer[32];
    ASSERT_EQ(14, reread.read(buffer, sizeof buffer));
    EXPECT_EQ(bytes, std::string(buffer, 14)) << "binary: no CR LF translation either way";
}

TEST(fileTest, theDestructorReleasesTheDescriptor) {
    scratchFolder folder;
    writeFile(folder.file("data.bin"), "x");
    // msvcrt's table holds 2048 descriptors: a leak would run it out.
    for (int i = 0; i < 3000; i++) {
        aFile file(folder.file("data.bin").c_str(), _O_RDONLY | _O_BINARY);
        ASSERT_TRUE(file.isOpen()) << "after " << i << " files";
    }
    int fd = _open(folder.file("data.bin").c_str(), _O_RDONLY | _O_BINARY);
    EXPECT_NE(-1, fd);
    if (fd != -1) _close(fd);
}
