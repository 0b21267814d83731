// ostrin: the LFG picture filter. Its exports are the frame's picture filter
// exports; this is what makes them read LFG.
#include "frame/picture_filter.h"
#include "frame/picture_source.h"
#include "lfg/lfg_decoder.h"

namespace vantor {

namespace {

// With file input, len is the offset of the header within the file.
Status summariseLfg(const char* buf, intptr_t len, unsigned flag, PictureSummary& summary) {
    const bool fromFile = (flag & VANTOR_INPUT_KIND_MASK) != VANTOR_INPUT_MEMORY;
    if (fromFile && (len < 0 || static_cast<uintptr_t>(len) > 0x7FFFFFFF)) {
        return Status::badArgument;
    }
    uint8_t bytes[lfg::kSummaryBytes];
    Status status = readSummaryBytes(buf, len, flag, fromFile ? static_cast<uint32_t>(len) : 0,
                                     bytes, sizeof bytes);
    if (status != Status::ok) return status;
    const lfg::Header header = lfg::parseHeader(bytes, sizeof bytes);
    if (status = lfg::checkGeometry(header); status != Status::ok) return status;
    summary = PictureSummary{header.left, header.top, header.width, header.height, 4};
    return Status::ok;
}

}  // namespace

const PictureFilter kPictureFilter = {
    {{"00IN", "LFG to DIB filter ver0.13 [Vantor]", "*.LFG", "LFG"}},
    lfg::isLfgHead,
    summariseLfg,
    lfg::decodePicture,
};

}  // namespace vantor
