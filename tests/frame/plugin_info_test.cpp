#include <gtest/gtest.h>

#include <cstring>

#include "frame/plugin_info.h"

namespace vantor {
namespace {

const PluginStrings kStrings = {{"00IN", "Some picture filter", "*.XYZ", "XYZ"}};

TEST(PluginInfo, CopiesStringsWithRoomForTheTerminatorOnly) {
    struct Case {
        int infoNo;
        int bufLen;
        int result;
        const char* written;  // null: the buffer stays untouched
    };
    const Case cases[] = {
        {0, 100, 4, "00IN"},   {1, 100, 19, "Some picture filter"},
        {2, 6, 5, "*.XYZ"},   // exactly length + 1
        {2, 5, 0, nullptr},   // exactly the length: no room for the terminator
        {1, 10, 0, nullptr},  // shorter than the string
        {3, 0, 0, nullptr},    {3, -1, 0, nullptr},
        {4, 100, 0, nullptr},   // past the last string
        {-1, 100, 0, nullptr},  // negative numbers select nothing
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "infoNo " << c.infoNo << " bufLen " << c.bufLen);
        char buf[128];
        std::memset(buf, '#', sizeof buf);
        EXPECT_EQ(copyPluginInfo(kStrings, c.infoNo, buf, c.bufLen), c.result);
        if (c.written) {
            EXPECT_STREQ(buf, c.written);
            EXPECT_EQ(buf[std::strlen(c.written) + 1], '#');
        } else {
            EXPECT_EQ(buf[0], '#');
        }
    }
}

TEST(PluginInfo, NullBufferAnswersZero) { EXPECT_EQ(copyPluginInfo(kStrings, 2, nullptr, 100), 0); }

}  // namespace
}  // namespace vantor
