#include "frame/file_input.h"

namespace vantor {

namespace {

class OpenFile {
public:
    explicit OpenFile(const char* path) : file_(path == nullptr ? HFILE_ERROR : _lopen(path, 0)) {}
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    ~OpenFile() {
        if (isOpen()) _lclose(file_);
    }
    bool isOpen() const { return file_ != HFILE_ERROR; }
    HFILE get() const { return file_; }

private:
    HFILE file_;
};

bool seekTo(HFILE file, uint32_t offset) {
    if (offset > 0x7FFFFFFFu) return false;
    return _llseek(file, static_cast<LONG>(offset), 0) == static_cast<LONG>(offset);
}

}  // namespace

Status readFileBytes(const char* path, uint32_t offset, uint8_t* dst, uint32_t count) {
    OpenFile file(path);
    if (!file.isOpen()) return Status::cannotOpen;
    if (!seekTo(file.get(), offset)) return Status::shortInput;
    UINT got = _lread(file.get(), dst, count);
    return got == count ? Status::ok : Status::shortInput;
}

Status readWholeFile(const char* path, uint32_t limit, MovableBlock& block, uint32_t& size) {
    OpenFile file(path);
    if (!file.isOpen()) return Status::cannotOpen;
    LONG end = _llseek(file.get(), 0, 2);
    if (end < 0) return Status::cannotOpen;
    if (static_cast<unsigned long>(end) > limit) return Status::tooLarge;
    _llseek(file.get(), 0, 0);
    auto wanted = static_cast<uint32_t>(end);
    // One spare byte so that an empty file still gets a block.
    if (!block.allocate(wanted + 1u, Fill::none)) return Status::outOfMemory;
    UINT got = _lread(file.get(), block.bytes(), wanted);
    if (got == static_cast<UINT>(HFILE_ERROR)) return Status::cannotOpen;
    size = got;
    return Status::ok;
}

}  // namespace vantor
