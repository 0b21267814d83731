// The platform library must behave as the Windows kernel calls do where the
// plug-ins and hosts rely on it.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "frame/platform.h"
#include "tests/support/temp_dir.h"

namespace vantor {
namespace {

TEST(PlatformMemory, MovableBlocksKeepSizeAndZeroFill) {
    HLOCAL zeroed = LocalAlloc(LHND, 1000);
    ASSERT_NE(zeroed, nullptr);
    EXPECT_EQ(LocalSize(zeroed), 1000u);
    auto* bytes = static_cast<uint8_t*>(LocalLock(zeroed));
    ASSERT_NE(bytes, nullptr);
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(bytes[i], 0) << "at " << i;
    EXPECT_EQ(reinterpret_cast<uintptr_t>(bytes) % 16, 0u);
    EXPECT_EQ(LocalUnlock(zeroed), 0);  // the last lock is gone
    EXPECT_EQ(LocalFree(zeroed), nullptr);

    HLOCAL empty = LocalAlloc(LMEM_MOVEABLE, 0);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(LocalSize(empty), 0u);
    EXPECT_EQ(LocalFree(empty), nullptr);
}

TEST(PlatformMemory, RefusesImpossibleSizesAndForeignHandles) {
    EXPECT_EQ(LocalAlloc(LMEM_MOVEABLE, SIZE_MAX), nullptr);
    EXPECT_EQ(LocalFree(nullptr), nullptr);

    alignas(16) uint8_t notABlock[64] = {};
    EXPECT_EQ(LocalLock(notABlock), nullptr);
    EXPECT_EQ(LocalSize(notABlock), 0u);
    EXPECT_EQ(LocalFree(notABlock), static_cast<HLOCAL>(notABlock));  // failure answers the handle
}

TEST(PlatformFiles, ReadSeekWriteAndShortReads) {
    test::TempDir dir;
    const std::string path = (dir.path() / "data.bin").string();

    HFILE out = _lcreat(path.c_str(), 0);
    ASSERT_NE(out, HFILE_ERROR);
    EXPECT_EQ(_lwrite(out, "0123456789", 10), 10u);
    EXPECT_EQ(_lclose(out), 0);

    HFILE in = _lopen(path.c_str(), OF_READ);
    ASSERT_NE(in, HFILE_ERROR);
    EXPECT_EQ(_llseek(in, 0, 2), 10);
    EXPECT_EQ(_llseek(in, 4, 0), 4);
    char buf[16] = {};
    EXPECT_EQ(_lread(in, buf, 16), 6u);  // only what is left
    EXPECT_STREQ(buf, "456789");
    EXPECT_EQ(_lread(in, buf, 16), 0u);
    EXPECT_EQ(_lclose(in), 0);

    EXPECT_EQ(_lopen((dir.path() / "missing").c_str(), OF_READ), HFILE_ERROR);
    EXPECT_EQ(_lcreat((dir.path() / "no-such-folder" / "x").c_str(), 0), HFILE_ERROR);
}

TEST(PlatformStrings, CopyCompareAndLength) {
    char buf[8];
    std::memset(buf, '#', sizeof buf);
    EXPECT_EQ(lstrcpynA(buf, "abcdef", 4), buf);
    EXPECT_STREQ(buf, "abc");  // n − 1 characters and a terminator
    EXPECT_EQ(buf[4], '#');
    lstrcpyA(buf, "xyz");
    EXPECT_STREQ(buf, "xyz");
    EXPECT_EQ(lstrlenA(buf), 3);
    EXPECT_EQ(lstrcmpA("DATA.BIN", "DATA.BIN"), 0);
    EXPECT_NE(lstrcmpA("data.bin", "DATA.BIN"), 0);
}

}  // namespace
}  // namespace vantor
