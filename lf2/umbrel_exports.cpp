// umbrel: the LF2 picture filter's exports.
#include "frame/picture_calls.h"
#include "frame/plugin_info.h"
#include "lf2/lf2_decoder.h"

using namespace vantor;

namespace {

constexpr PluginStrings kStrings = {{"00IN", "LF2 to DIB filter ver0.13 [Vantor]", "*.lf2", "LF2"}};

// Reports the width and height GetPicture decodes, so that a host sizing its
// buffers from the summary gets the picture it was promised; and refuses the
// headers GetPicture refuses.
Status pictureInfo(const char* buf, intptr_t len, unsigned flag, PictureInfoRecord* record) {
    if (record == nullptr) return Status::badArgument;
    // With file input the header is always at the start of the file.
    uint8_t bytes[lf2::kSummaryBytes];
    Status status = readSummaryBytes(buf, len, flag, 0, bytes, sizeof bytes);
    if (status != Status::ok) return status;
    const lf2::Header header = lf2::parseHeader(bytes);
    if (status = lf2::checkGeometry(header); status != Status::ok) return status;

    fillPictureInfo(
        PictureSummary{static_cast<int32_t>(header.left), static_cast<int32_t>(header.top),
                       static_cast<int32_t>(header.width), static_cast<int32_t>(header.height), 8},
        *record);
    return Status::ok;
}

}  // namespace

extern "C" {

int VANTOR_API GetPluginInfo(int infoNo, char* buf, int bufLen) {
    return copyPluginInfo(kStrings, infoNo, buf, bufLen);
}

int VANTOR_API IsSupported(const char* /*fileName*/, uintptr_t dw) {
    uint8_t buffer[kHeadBytes];
    const Head head = obtainHead(dw, HeadStart::fileStart, buffer);
    return lf2::isLf2Head(head) ? VANTOR_SUPPORTED : VANTOR_NOT_SUPPORTED;
}

int VANTOR_API GetPictureInfo(const char* buf, intptr_t len, unsigned int flag,
                              PictureInfoRecord* record) {
    return toResult(pictureInfo(buf, len, flag, record));
}

int VANTOR_API GetPicture(const char* buf, intptr_t len, unsigned int flag, HLOCAL* infoHandleOut,
                          HLOCAL* pixelHandleOut, ProgressCallback /*progress*/,
                          intptr_t /*userValue*/) {
    return toResult(
        decodeAndHandOver(buf, len, flag, infoHandleOut, pixelHandleOut, lf2::decodePicture));
}

int VANTOR_API GetPreview(const char*, intptr_t, unsigned int, HLOCAL*, HLOCAL*, ProgressCallback,
                          intptr_t) {
    return VANTOR_FAILED;
}

#if defined(_WIN32)
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
    if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
    return TRUE;
}
#endif

}  // extern "C"
