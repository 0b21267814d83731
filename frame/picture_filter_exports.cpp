// The exports of a picture filter plug-in, the same for every format: thin
// shims around the format's kPictureFilter. Compiled into each picture filter.
#include "frame/picture_filter.h"
#include "frame/picture_handover.h"
#include "frame/picture_source.h"

using namespace vantor;

namespace {

#if defined(VANTOR_PLAIN_DECODER)
constexpr DecoderPath kDecoderPath = DecoderPath::plain;
#else
constexpr DecoderPath kDecoderPath = DecoderPath::fast;
#endif

Status pictureInfo(const char* buf, intptr_t len, unsigned flag, PictureInfoRecord* record) {
    if (record == nullptr) return Status::badArgument;
    PictureSummary summary{};
    if (Status status = kPictureFilter.summarise(buf, len, flag, summary); status != Status::ok) {
        return status;
    }
    *record = PictureInfoRecord{};
    record->left = summary.left;
    record->top = summary.top;
    record->width = summary.width;
    record->height = summary.height;
    record->xDensity = 1;
    record->yDensity = 1;
    record->colorDepth = summary.colorDepth;
    return Status::ok;
}

// Both handles are stored only on success; on failure every block obtained on
// the way is released.
Status picture(const char* buf, intptr_t len, unsigned flag, HLOCAL* infoHandleOut,
               HLOCAL* pixelHandleOut) {
    if (infoHandleOut == nullptr || pixelHandleOut == nullptr) return Status::badArgument;
    MovableBlock sourceBlock, info, pixels;
    ByteSpan source;
    Status status = obtainPictureSource(buf, len, flag, sourceBlock, source);
    if (status != Status::ok) return status;
    status = kPictureFilter.decode(source.bytes, source.size, kDecoderPath, info, pixels);
    if (status != Status::ok) return status;
    handOverPicture(info, pixels, infoHandleOut, pixelHandleOut);
    return Status::ok;
}

}  // namespace

extern "C" {

int VANTOR_API GetPluginInfo(int infoNo, char* buf, int bufLen) {
    return copyPluginInfo(kPictureFilter.strings, infoNo, buf, bufLen);
}

int VANTOR_API IsSupported(const char* /*fileName*/, uintptr_t dw) {
    uint8_t buffer[kHeadBytes];
    const Head head = obtainHead(dw, HeadStart::fileStart, buffer);
    return kPictureFilter.recognise(head) ? VANTOR_SUPPORTED : VANTOR_NOT_SUPPORTED;
}

int VANTOR_API GetPictureInfo(const char* buf, intptr_t len, unsigned int flag,
                              PictureInfoRecord* record) {
    return toResult(pictureInfo(buf, len, flag, record));
}

int VANTOR_API GetPicture(const char* buf, intptr_t len, unsigned int flag, HLOCAL* infoHandleOut,
                          HLOCAL* pixelHandleOut, ProgressCallback /*progress*/,
                          intptr_t /*userValue*/) {
    return toResult(picture(buf, len, flag, infoHandleOut, pixelHandleOut));
}

// No preview is offered.
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
