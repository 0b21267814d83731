// What makes a picture filter plug-in: its strings, its recognition, its
// summary and its decoder. frame/picture_filter_exports.cpp turns these into
// the five exports; each filter defines kPictureFilter for its format.
#pragma once

#include "frame/movable_block.h"
#include "frame/plugin_info.h"
#include "frame/recognition_head.h"
#include "frame/status.h"

namespace vantor {

struct PictureSummary {
    int32_t left;
    int32_t top;
    int32_t width;
    int32_t height;
    int16_t colorDepth;
};

// Which ring-window decoder fills the pixel block: the fast one, or the plain
// one (frame/ring_window.h) kept as its reference.
enum class DecoderPath { fast, plain };

struct PictureFilter {
    PluginStrings strings;
    // The format's test of a file's first bytes.
    bool (*recognise)(const Head& head);
    // GetPictureInfo's work: the header, read as the input kind says, checked
    // as strictly as the decoder checks it.
    Status (*summarise)(const char* buf, intptr_t len, unsigned flag, PictureSummary& summary);
    // GetPicture's work on the whole file: a new info block and pixel block.
    // On failure the caller hands nothing out; its blocks release what was
    // obtained.
    Status (*decode)(const uint8_t* file, size_t size, DecoderPath path, MovableBlock& info,
                     MovableBlock& pixels);
};

extern const PictureFilter kPictureFilter;

}  // namespace vantor
