// A movable memory block owned by one plug-in call: allocated and locked on
// creation, unlocked and released when the owner goes away unless its handle
// was handed out first.
#pragma once

#include "frame/platform.h"

namespace vantor {

enum class Fill { none, zeroed };

class MovableBlock {
public:
    MovableBlock() = default;
    MovableBlock(const MovableBlock&) = delete;
    MovableBlock& operator=(const MovableBlock&) = delete;
    ~MovableBlock() { release(); }

    // False when the platform refuses the block; the object then stays empty.
    bool allocate(size_t size, Fill fill) {
        release();
        handle_ = LocalAlloc(fill == Fill::zeroed ? LHND : LMEM_MOVEABLE, size);
        if (handle_ == nullptr) return false;
        bytes_ = static_cast<uint8_t*>(LocalLock(handle_));
        if (bytes_ == nullptr) {
            LocalFree(handle_);
            handle_ = nullptr;
            return false;
        }
        size_ = size;
        return true;
    }

    uint8_t* bytes() const { return bytes_; }
    size_t size() const { return size_; }

    // Unlocks the block and gives up ownership: the handle now belongs to the host.
    HLOCAL handOut() {
        HLOCAL handle = handle_;
        LocalUnlock(handle);
        handle_ = nullptr;
        bytes_ = nullptr;
        size_ = 0;
        return handle;
    }

    void release() {
        if (handle_ == nullptr) return;
        LocalUnlock(handle_);
        LocalFree(handle_);
        handle_ = nullptr;
        bytes_ = nullptr;
        size_ = 0;
    }

private:
    HLOCAL handle_ = nullptr;
    uint8_t* bytes_ = nullptr;
    size_t size_ = 0;
};

}  // namespace vantor
