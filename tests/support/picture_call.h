// Test support: GetPicture called the way a host calls it, with both handed
// out blocks taken back.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tests/support/loaded_plugin.h"

namespace vantor::test {

struct HandedPicture {
    int result;
    std::vector<uint8_t> info;
    std::vector<uint8_t> pixels;
};

// On failure, also checks that neither handle was written.
inline HandedPicture callGetPicture(const LoadedPlugin& plugin, GetPictureFn getPicture,
                                    const char* buf, intptr_t len, unsigned flag) {
    const auto untouched = reinterpret_cast<HLOCAL>(0x1);
    HLOCAL info = untouched;
    HLOCAL pixels = untouched;
    HandedPicture picture{getPicture(buf, len, flag, &info, &pixels, nullptr, 0), {}, {}};
    if (picture.result == VANTOR_OK) {
        picture.info = plugin.take(info);
        picture.pixels = plugin.take(pixels);
    } else {
        EXPECT_EQ(info, untouched) << "a failed call handed out an info block";
        EXPECT_EQ(pixels, untouched) << "a failed call handed out a pixel block";
    }
    return picture;
}

}  // namespace vantor::test
