// The platform library for POSIX systems: the kernel operations the plug-ins
// and hosts use on Windows, with the behaviour they rely on there.
//
// A movable block is one allocation: a header, then the caller's bytes. The
// handle is the header's address; LocalLock returns the bytes after it. The
// header carries a tag so that a stale or foreign handle is refused instead of
// being trusted.
#include "frame/platform.h"
#include "frame/platform/allocation_test_hooks.h"

#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

namespace {

constexpr uint32_t kLiveTag = 0x4B4C4F42;  // "BLOK"
constexpr uint32_t kFreedTag = 0x44454144;

struct alignas(16) BlockHeader {
    size_t size;
    uint32_t tag;
    uint32_t locks;
};

// Test hooks (allocation_test_hooks.h): an armed failure and a count of the
// blocks not yet freed, so tests can prove every path releases what it took.
int allocationsBeforeFailure = -1;
bool armedFailureHappened = false;
long liveBlockCount = 0;

bool armedFailureStrikes() {
    if (allocationsBeforeFailure < 0) return false;
    if (allocationsBeforeFailure-- > 0) return false;
    armedFailureHappened = true;
    return true;
}

BlockHeader* liveBlock(HLOCAL handle) {
    auto* header = static_cast<BlockHeader*>(handle);
    if (header == nullptr || header->tag != kLiveTag) return nullptr;
    return header;
}

}  // namespace

extern "C" {

HLOCAL LocalAlloc(UINT flags, size_t bytes) {
    if (armedFailureStrikes()) return nullptr;
    if (bytes > SIZE_MAX - sizeof(BlockHeader)) return nullptr;
    void* memory = (flags & LMEM_ZEROINIT) ? calloc(1, sizeof(BlockHeader) + bytes)
                                           : malloc(sizeof(BlockHeader) + bytes);
    if (memory == nullptr) return nullptr;
    auto* header = static_cast<BlockHeader*>(memory);
    header->size = bytes;
    header->tag = kLiveTag;
    header->locks = 0;
    __atomic_add_fetch(&liveBlockCount, 1, __ATOMIC_RELAXED);
    return header;
}

void* LocalLock(HLOCAL handle) {
    BlockHeader* header = liveBlock(handle);
    if (header == nullptr) return nullptr;
    ++header->locks;
    return header + 1;
}

BOOL LocalUnlock(HLOCAL handle) {
    BlockHeader* header = liveBlock(handle);
    if (header == nullptr || header->locks == 0) return 0;
    return --header->locks != 0;
}

HLOCAL LocalFree(HLOCAL handle) {
    if (handle == nullptr) return nullptr;
    BlockHeader* header = liveBlock(handle);
    if (header == nullptr) return handle;  // as on Windows: the handle back means failure
    header->tag = kFreedTag;
    free(header);
    __atomic_sub_fetch(&liveBlockCount, 1, __ATOMIC_RELAXED);
    return nullptr;
}

size_t LocalSize(HLOCAL handle) {
    BlockHeader* header = liveBlock(handle);
    return header == nullptr ? 0 : header->size;
}

HFILE _lopen(const char* path, int mode) {
    int access = O_RDONLY;
    if ((mode & 3) == OF_WRITE) access = O_WRONLY;
    if ((mode & 3) == OF_READWRITE) access = O_RDWR;
    return open(path, access | O_CLOEXEC);
}

HFILE _lcreat(const char* path, int /*attributes*/) {
    return open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
}

UINT _lread(HFILE file, void* buffer, UINT count) {
    auto* bytes = static_cast<char*>(buffer);
    UINT done = 0;
    while (done < count) {
        ssize_t got = read(file, bytes + done, count - done);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return done == 0 ? static_cast<UINT>(HFILE_ERROR) : done;
        if (got == 0) break;
        done += static_cast<UINT>(got);
    }
    return done;
}

UINT _lwrite(HFILE file, const char* buffer, UINT count) {
    UINT done = 0;
    while (done < count) {
        ssize_t put = write(file, buffer + done, count - done);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return static_cast<UINT>(HFILE_ERROR);
        done += static_cast<UINT>(put);
    }
    return done;
}

LONG _llseek(HFILE file, LONG offset, int origin) {
    int whence = origin == 1 ? SEEK_CUR : origin == 2 ? SEEK_END : SEEK_SET;
    off_t at = lseek(file, offset, whence);
    return at < 0 ? -1 : static_cast<LONG>(at);
}

HFILE _lclose(HFILE file) { return close(file) == 0 ? 0 : HFILE_ERROR; }

BOOL DeleteFileA(const char* path) { return unlink(path) == 0; }

char* lstrcpyA(char* dst, const char* src) { return strcpy(dst, src); }

char* lstrcpynA(char* dst, const char* src, int count) {
    if (count <= 0) return dst;
    int i = 0;
    for (; i < count - 1 && src[i] != '\0'; ++i) dst[i] = src[i];
    dst[i] = '\0';
    return dst;
}

int lstrcmpA(const char* a, const char* b) { return strcmp(a, b); }

int lstrlenA(const char* s) { return s == nullptr ? 0 : static_cast<int>(strlen(s)); }

void VantorFailAllocationAfter(int n) {
    allocationsBeforeFailure = n;
    armedFailureHappened = false;
}

int VantorAllocationFailureHappened() { return armedFailureHappened; }

long VantorLiveBlockCount() { return __atomic_load_n(&liveBlockCount, __ATOMIC_RELAXED); }

}  // extern "C"
