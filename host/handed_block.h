// A block a plug-in handed out: the host owns it, reads it locked, and always
// releases it with LocalFree.
#pragma once

#include <cstdint>
#include <span>

#include "host/plugin.h"

namespace vantor::host {

class HandedBlock {
public:
    HandedBlock(const BlockCalls& calls, HLOCAL handle);
    ~HandedBlock();
    HandedBlock(const HandedBlock&) = delete;
    HandedBlock& operator=(const HandedBlock&) = delete;

    // Empty when the block cannot be locked.
    std::span<const uint8_t> bytes() const { return {data_, size_}; }

private:
    const BlockCalls& calls_;
    HLOCAL handle_;
    const uint8_t* data_ = nullptr;
    size_t size_ = 0;
};

}  // namespace vantor::host
