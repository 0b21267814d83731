// umbrel: the LF2 picture filter. Its exports are the frame's picture filter
// exports; this is what makes them read LF2.
#include "frame/picture_filter.h"
#include "frame/picture_source.h"
#include "lf2/lf2_decoder.h"

namespace vantor {

namespace {

// Reports the width and height GetPicture decodes, so that a host sizing its
// buffers from the summary gets the picture it was promised. With file input
// the header is always at the start of the file.
Status summariseLf2(const char* buf, intptr_t len, unsigned flag, PictureSummary& summary) {
    uint8_t bytes[lf2::kSummaryBytes];
    Status status = readSummaryBytes(buf, len, flag, 0, bytes, sizeof bytes);
    if (status != Status::ok) return status;
    const lf2::Header header = lf2::parseHeader(bytes);
    if (status = lf2::checkGeometry(header); status != Status::ok) return status;
    summary =
        PictureSummary{static_cast<int32_t>(header.left), static_cast<int32_t>(header.top),
                       static_cast<int32_t>(header.width), static_cast<int32_t>(header.height), 8};
    return Status::ok;
}

}  // namespace

const PictureFilter kPictureFilter = {
    {{"00IN", "LF2 to DIB filter ver0.13 [Vantor]", "*.lf2", "LF2"}},
    lf2::isLf2Head,
    summariseLf2,
    lf2::decodePicture,
};

}  // namespace vantor
