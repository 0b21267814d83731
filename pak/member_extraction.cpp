#include "pak/member_extraction.h"

#include "frame/movable_block.h"
#include "pak/archive_file.h"

namespace vantor::pak {

namespace {

struct MemberBytes {
    MovableBlock block;  // empty for a member of no bytes
    uint32_t count;      // bytes that arrived, at most the block's size
};

// An empty movable block cannot be locked on Windows, so a member of no bytes
// gets no block until it is handed out.
bool allocateMember(uint32_t size, MovableBlock& block) {
    return size == 0 || block.allocate(size, Fill::none);
}

Status readMemberFromFile(const ArchiveState& state, const char* path, intptr_t offset,
                          MemberBytes& member) {
    if (offset < 0 || offset > 0x7FFFFFFF) return Status::badArgument;
    const uint32_t size = state.lastRecord.size;
    if (size > kMaxMemberBytes) return Status::tooLarge;
    if (!allocateMember(size, member.block)) return Status::outOfMemory;
    const ArchiveFile file(path);
    if (!file.isOpen()) return Status::cannotOpen;
    member.count = file.readAt(static_cast<uint32_t>(offset), member.block.bytes(), size);
    // A member cut short by the end of the file still comes out at its
    // recorded size; its missing tail reads as zeros, never as stale memory.
    if (member.count < size)
        __builtin_memset(member.block.bytes() + member.count, 0, size - member.count);
    if (!state.plain) {
        descramble(member.block.bytes(), member.block.bytes(), member.count, state.key);
    }
    return Status::ok;
}

Status copyMemberFromMemory(const ArchiveState& state, const char* src, intptr_t len,
                            MemberBytes& member) {
    if (len < 0 || static_cast<uintptr_t>(len) > 0xFFFFFFFFu) return Status::badArgument;
    const auto size = static_cast<uint32_t>(len);
    if (size != 0 && src == nullptr) return Status::badArgument;
    if (!allocateMember(size, member.block)) return Status::outOfMemory;
    const auto* bytes = reinterpret_cast<const uint8_t*>(src);
    if (state.plain) {
        if (size != 0) __builtin_memcpy(member.block.bytes(), bytes, size);
    } else {
        descramble(bytes, member.block.bytes(), size, state.key);
    }
    member.count = size;
    return Status::ok;
}

Status handOverMember(MemberBytes& member, HLOCAL* handleOut) {
    if (member.block.bytes() != nullptr) {
        *handleOut = member.block.handOut();
        return Status::ok;
    }
    HLOCAL empty = LocalAlloc(LMEM_MOVEABLE, 0);
    if (empty == nullptr) return Status::outOfMemory;
    *handleOut = empty;
    return Status::ok;
}

// A file that did not receive every byte is removed rather than left behind
// looking like the member.
Status writeMemberFile(const char* path, const MemberBytes& member) {
    const HFILE file = _lcreat(path, 0);
    if (file == HFILE_ERROR) return Status::cannotOpen;
    const auto* bytes = reinterpret_cast<const char*>(member.block.bytes());
    const UINT written = member.count == 0 ? 0 : _lwrite(file, bytes, member.count);
    const bool closed = _lclose(file) != HFILE_ERROR;
    if (written == member.count && closed) return Status::ok;
    DeleteFileA(path);
    return Status::cannotWrite;
}

bool isFileOutput(unsigned flag) { return ((flag >> VANTOR_OUTPUT_KIND_SHIFT) & 7u) == 0; }

}  // namespace

Status extractMember(ArchiveState& state, const char* src, intptr_t len, char* dest,
                     unsigned flag) {
    if (dest == nullptr) return Status::badArgument;
    const bool toFile = isFileOutput(flag);
    // The target is settled before anything is read, so a refused name
    // creates nothing.
    if (toFile) {
        const FileInfoRecord& record = state.lastRecord;
        Status status =
            joinExtractionPath(dest, record.fileName, sizeof record.fileName, state.pathBuffer);
        if (status != Status::ok) return status;
    }

    MemberBytes member{};
    const bool fromFile = (flag & VANTOR_INPUT_KIND_MASK) == VANTOR_INPUT_FILE;
    Status status = fromFile ? readMemberFromFile(state, src, len, member)
                             : copyMemberFromMemory(state, src, len, member);
    if (status != Status::ok) return status;
    if (toFile) return writeMemberFile(state.pathBuffer, member);
    return handOverMember(member, reinterpret_cast<HLOCAL*>(dest));
}

}  // namespace vantor::pak
