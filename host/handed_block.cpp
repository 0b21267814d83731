#include "host/handed_block.h"

namespace vantor::host {

HandedBlock::HandedBlock(const BlockCalls& calls, HLOCAL handle) : calls_(calls), handle_(handle) {
    if (handle_ == nullptr) return;
    data_ = static_cast<const uint8_t*>(calls_.lock(handle_));
    if (data_ != nullptr) size_ = calls_.size(handle_);
}

HandedBlock::~HandedBlock() {
    if (handle_ == nullptr) return;
    if (data_ != nullptr) calls_.unlock(handle_);
    calls_.release(handle_);
}

}  // namespace vantor::host
