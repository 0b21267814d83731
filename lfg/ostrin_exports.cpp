// ostrin: the LFG picture filter's exports.
#include "frame/picture_calls.h"
#include "frame/plugin_info.h"
#include "lfg/lfg_decoder.h"

using namespace vantor;

namespace {

constexpr PluginStrings kStrings = {{"00IN", "LFG to DIB filter ver0.13 [Vantor]", "*.LFG", "LFG"}};

Status pictureInfo(const char* buf, intptr_t len, unsigned flag, PictureInfoRecord* record) {
    if (record == nullptr) return Status::badArgument;
    // With file input, len is the offset of the header within the file.
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

    fillPictureInfo(PictureSummary{header.left, header.top, header.width, header.height, 4},
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
    return lfg::isLfgHead(head) ? VANTOR_SUPPORTED : VANTOR_NOT_SUPPORTED;
}

int VANTOR_API GetPictureInfo(const char* buf, intptr_t len, unsigned int flag,
                              PictureInfoRecord* record) {
    return toResult(pictureInfo(buf, len, flag, record));
}

int VANTOR_API GetPicture(const char* buf, intptr_t len, unsigned int flag, HLOCAL* infoHandleOut,
                          HLOCAL* pixelHandleOut, ProgressCallback /*progress*/,
                          intptr_t /*userValue*/) {
    return toResult(
        decodeAndHandOver(buf, len, flag, infoHandleOut, pixelHandleOut, lfg::decodePicture));
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
