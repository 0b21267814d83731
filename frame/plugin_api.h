// The plug-in interface: the exported functions, the records they share with
// the host, and their result codes. Hosts and plug-ins both include this file.
//
// On 32-bit Windows every export uses the API calling convention (the callee
// removes the arguments) and every integer, address and handle is 32 bits.
#pragma once

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32)
#define VANTOR_API __stdcall
#define VANTOR_EXPORT
#else
#define VANTOR_API
#define VANTOR_EXPORT __attribute__((visibility("default")))
#endif

extern "C" {

// An opaque movable memory block (see platform.h).
typedef void* HLOCAL;

// Accepted by GetPicture, GetPreview and GetFile; no plug-in ever calls it.
typedef int(VANTOR_API* ProgressCallback)(int done, int total, intptr_t userValue);

// Results of every export but GetPluginInfo, which answers a character count.
enum : int {
    VANTOR_OK = 0,
    VANTOR_FAILED = -1,
    // IsSupported answers these two.
    VANTOR_SUPPORTED = -1,
    VANTOR_NOT_SUPPORTED = 0,
};

// Bits of a call's flag argument.
enum : unsigned {
    VANTOR_INPUT_KIND_MASK = 7u,  // 0: buf is a path, 1: buf is memory
    VANTOR_INPUT_FILE = 0u,
    VANTOR_INPUT_MEMORY = 1u,
    VANTOR_OUTPUT_KIND_SHIFT = 8u,  // GetFile: (flag >> 8) & 7, 0: a file in a folder
    VANTOR_OUTPUT_MEMORY = 1u << 8,
};

// The picture summary GetPictureInfo fills in the host's memory: 28 bytes.
struct PictureInfoRecord {
    int32_t left;
    int32_t top;
    int32_t width;
    int32_t height;
    uint16_t xDensity;
    uint16_t yDensity;
    int16_t colorDepth;
    uint8_t gap[2];
    uint32_t textInfo;  // a handle, always 0: no text information block
};
static_assert(sizeof(PictureInfoRecord) == 28);
static_assert(offsetof(PictureInfoRecord, xDensity) == 16);
static_assert(offsetof(PictureInfoRecord, colorDepth) == 20);
static_assert(offsetof(PictureInfoRecord, textInfo) == 24);

// One archive member as the archive plug-in lists it: 428 bytes.
struct FileInfoRecord {
    char method[8];
    uint32_t position;
    uint32_t storedSize;
    uint32_t size;
    uint32_t timeStamp;
    char folder[200];
    char fileName[200];
    uint32_t checksum;
};
static_assert(sizeof(FileInfoRecord) == 428);
static_assert(offsetof(FileInfoRecord, position) == 8);
static_assert(offsetof(FileInfoRecord, timeStamp) == 20);
static_assert(offsetof(FileInfoRecord, folder) == 24);
static_assert(offsetof(FileInfoRecord, fileName) == 224);
static_assert(offsetof(FileInfoRecord, checksum) == 424);

VANTOR_EXPORT int VANTOR_API GetPluginInfo(int infoNo, char* buf, int bufLen);
// dw below 0x10000 is an open file (POSIX descriptor or Win32 file handle);
// anything else is the address of a buffer holding the file's first bytes.
VANTOR_EXPORT int VANTOR_API IsSupported(const char* fileName, uintptr_t dw);
VANTOR_EXPORT int VANTOR_API GetPictureInfo(const char* buf, intptr_t len, unsigned int flag,
                                            PictureInfoRecord* record);
VANTOR_EXPORT int VANTOR_API GetPicture(const char* buf, intptr_t len, unsigned int flag,
                                        HLOCAL* infoHandleOut, HLOCAL* pixelHandleOut,
                                        ProgressCallback progress, intptr_t userValue);
VANTOR_EXPORT int VANTOR_API GetPreview(const char* buf, intptr_t len, unsigned int flag,
                                        HLOCAL* infoHandleOut, HLOCAL* pixelHandleOut,
                                        ProgressCallback progress, intptr_t userValue);
VANTOR_EXPORT int VANTOR_API GetArchiveInfo(const char* buf, intptr_t len, unsigned int flag,
                                            HLOCAL* listingHandleOut);
VANTOR_EXPORT int VANTOR_API GetFileInfo(const char* buf, intptr_t len, const char* name,
                                         unsigned int flag, FileInfoRecord* record);
VANTOR_EXPORT int VANTOR_API GetFile(const char* src, intptr_t len, char* dest, unsigned int flag,
                                     ProgressCallback progress, intptr_t userValue);

}  // extern "C"

// The same functions as pointer types, for hosts that look them up by name.
using GetPluginInfoFn = decltype(&GetPluginInfo);
using IsSupportedFn = decltype(&IsSupported);
using GetPictureInfoFn = decltype(&GetPictureInfo);
using GetPictureFn = decltype(&GetPicture);
using GetPreviewFn = decltype(&GetPreview);
using GetArchiveInfoFn = decltype(&GetArchiveInfo);
using GetFileInfoFn = decltype(&GetFileInfo);
using GetFileFn = decltype(&GetFile);
