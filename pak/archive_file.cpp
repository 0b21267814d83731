#include "pak/archive_file.h"

namespace vantor::pak {

namespace {

// _llseek takes a signed 32-bit offset.
constexpr uint32_t kMaxOffset = 0x7FFFFFFF;

}  // namespace

ArchiveFile::ArchiveFile(const char* path)
    : file_(path == nullptr ? HFILE_ERROR : _lopen(path, OF_READ)) {}

ArchiveFile::~ArchiveFile() {
    if (isOpen()) _lclose(file_);
}

bool ArchiveFile::size(uint32_t& bytes) const {
    const LONG end = _llseek(file_, 0, 2);
    if (end < 0 || static_cast<uint64_t>(end) > 0xFFFFFFFFu) return false;
    bytes = static_cast<uint32_t>(end);
    return true;
}

uint32_t ArchiveFile::readAt(uint32_t offset, void* dst, uint32_t count) const {
    if (offset > kMaxOffset) return 0;
    if (_llseek(file_, static_cast<LONG>(offset), 0) != static_cast<LONG>(offset)) return 0;
    if (count == 0) return 0;
    const UINT got = _lread(file_, dst, count);
    return got == static_cast<UINT>(HFILE_ERROR) ? 0 : got;
}

}  // namespace vantor::pak
