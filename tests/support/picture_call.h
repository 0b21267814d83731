// Test support: GetPicture called the way a host calls it, with both handed
// out blocks taken back, and a fixture for the tests of a picture filter.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tests/support/loaded_plugin.h"
#include "tests/support/temp_dir.h"

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

// A picture filter loaded as a host loads it, its exports at hand, with a
// private folder for files the test writes.
class PictureFilterTest : public testing::Test {
protected:
    explicit PictureFilterTest(const char* name) : plugin(name) {}

    LoadedPlugin plugin;
    GetPluginInfoFn getPluginInfo = plugin.get<GetPluginInfoFn>("GetPluginInfo");
    IsSupportedFn isSupported = plugin.get<IsSupportedFn>("IsSupported");
    GetPictureInfoFn getPictureInfo = plugin.get<GetPictureInfoFn>("GetPictureInfo");
    GetPictureFn getPicture = plugin.get<GetPictureFn>("GetPicture");
    GetPreviewFn getPreview = plugin.get<GetPreviewFn>("GetPreview");
    TempDir dir;

    HandedPicture decode(const char* buf, intptr_t len, unsigned flag) {
        return callGetPicture(plugin, getPicture, buf, len, flag);
    }

    // Memory input of the first len bytes of file (all of them by default).
    HandedPicture decodeMemory(const std::vector<uint8_t>& file, size_t len = SIZE_MAX) {
        return decode(reinterpret_cast<const char*>(file.data()),
                      static_cast<intptr_t>(len == SIZE_MAX ? file.size() : len),
                      VANTOR_INPUT_MEMORY);
    }
};

}  // namespace vantor::test
