// The platform operations a plug-in may use: movable memory blocks, the
// simple file calls and single-byte string calls of the Windows kernel.
//
// On Windows they are KERNEL32's own. Elsewhere the platform library
// (platform/posix_kernel.cpp) supplies them with the same behaviour under the
// same C names, so that a host resolves LocalLock, LocalSize and LocalFree
// through a plug-in's handle just as it would on Windows.
#pragma once

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32)

#include <windows.h>

#else

#define VANTOR_PLATFORM_API __attribute__((visibility("default")))

extern "C" {

typedef void* HLOCAL;
typedef int HFILE;
typedef unsigned int UINT;
typedef int BOOL;
typedef long LONG;

enum : UINT {
    LMEM_FIXED = 0x0000,
    LMEM_MOVEABLE = 0x0002,
    LMEM_ZEROINIT = 0x0040,
    LHND = LMEM_MOVEABLE | LMEM_ZEROINIT,
};
#define HFILE_ERROR ((HFILE)-1)
enum : int { OF_READ = 0, OF_WRITE = 1, OF_READWRITE = 2 };

VANTOR_PLATFORM_API HLOCAL LocalAlloc(UINT flags, size_t bytes);
VANTOR_PLATFORM_API void* LocalLock(HLOCAL block);
VANTOR_PLATFORM_API BOOL LocalUnlock(HLOCAL block);
VANTOR_PLATFORM_API HLOCAL LocalFree(HLOCAL block);
VANTOR_PLATFORM_API size_t LocalSize(HLOCAL block);

VANTOR_PLATFORM_API HFILE _lopen(const char* path, int mode);
VANTOR_PLATFORM_API HFILE _lcreat(const char* path, int attributes);
VANTOR_PLATFORM_API UINT _lread(HFILE file, void* buffer, UINT count);
VANTOR_PLATFORM_API UINT _lwrite(HFILE file, const char* buffer, UINT count);
VANTOR_PLATFORM_API LONG _llseek(HFILE file, LONG offset, int origin);
VANTOR_PLATFORM_API HFILE _lclose(HFILE file);
VANTOR_PLATFORM_API BOOL DeleteFileA(const char* path);

VANTOR_PLATFORM_API char* lstrcpyA(char* dst, const char* src);
VANTOR_PLATFORM_API char* lstrcpynA(char* dst, const char* src, int count);
VANTOR_PLATFORM_API int lstrcmpA(const char* a, const char* b);
VANTOR_PLATFORM_API int lstrlenA(const char* s);

}  // extern "C"

#endif
