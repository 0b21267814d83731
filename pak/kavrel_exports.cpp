// kavrel: the PAK archive extractor's exports.
#include "frame/plugin_info.h"
#include "pak/archive_listing.h"
#include "pak/member_extraction.h"
#include "pak/pak_recognition.h"

using namespace vantor;
using namespace vantor::pak;

namespace {

constexpr PluginStrings kStrings = {
    {"00AM", "Kavrelix - PAK extract library ver0.13 [Vantor]", "*.PAK", "PAK"}};

// All zero at load, shared by every call of the process (see archive_state.h).
constinit ArchiveState archiveState{};

Status archiveInfo(const char* buf, intptr_t len, unsigned flag, HLOCAL* listingHandleOut) {
    if (listingHandleOut == nullptr) return Status::badArgument;
    MovableBlock listing;
    Status status = buildListing(archiveState, buf, len, flag, listing);
    if (status != Status::ok) return status;
    *listingHandleOut = listing.handOut();
    return Status::ok;
}

Status fileInfo(const char* buf, intptr_t len, const char* name, unsigned flag,
                FileInfoRecord* record) {
    if (record == nullptr) return Status::badArgument;
    return lookUpMember(archiveState, buf, len, name, flag, *record);
}

}  // namespace

extern "C" {

int VANTOR_API GetPluginInfo(int infoNo, char* buf, int bufLen) {
    return copyPluginInfo(kStrings, infoNo, buf, bufLen);
}

// Reads from wherever the host left the handle, and records the layout found
// (or none) for the calls that follow.
int VANTOR_API IsSupported(const char* /*fileName*/, uintptr_t dw) {
    uint8_t buffer[kHeadBytes];
    const Head head = obtainHead(dw, HeadStart::currentPosition, buffer);
    const PakLayout layout = recognisePakHead(head);
    archiveState.plain = layout == PakLayout::plain;
    return layout == PakLayout::none ? VANTOR_NOT_SUPPORTED : VANTOR_SUPPORTED;
}

int VANTOR_API GetArchiveInfo(const char* buf, intptr_t len, unsigned int flag,
                              HLOCAL* listingHandleOut) {
    return toResult(archiveInfo(buf, len, flag, listingHandleOut));
}

int VANTOR_API GetFileInfo(const char* buf, intptr_t len, const char* name, unsigned int flag,
                           FileInfoRecord* record) {
    return toResult(fileInfo(buf, len, name, flag, record));
}

int VANTOR_API GetFile(const char* src, intptr_t len, char* dest, unsigned int flag,
                       ProgressCallback /*progress*/, intptr_t /*userValue*/) {
    return toResult(extractMember(archiveState, src, len, dest, flag));
}

#if defined(_WIN32)
BOOL WINAPI DllMain(HINSTANCE /*instance*/, DWORD /*reason*/, LPVOID /*reserved*/) { return TRUE; }
#endif

}  // extern "C"
