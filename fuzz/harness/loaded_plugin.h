// Fuzz harness: a plug-in loaded the way a host loads it, by path with dlopen,
// its exports and the platform's calls found through its handle. Loading
// failures end the run: a target without its plug-in tests nothing.
#pragma once

#include <string>

#include "frame/platform/allocation_test_hooks.h"
#include "frame/plugin_api.h"

namespace vantor::fuzz {

class LoadedPlugin {
public:
    // name: "ostrin", "umbrel" or "kavrel", in the build's plug-in folder.
    explicit LoadedPlugin(const std::string& name);
    LoadedPlugin(const LoadedPlugin&) = delete;
    LoadedPlugin& operator=(const LoadedPlugin&) = delete;

    template <class Fn>
    Fn get(const char* symbol) const {
        return reinterpret_cast<Fn>(find(symbol));
    }

    // The block calls a host uses on what a plug-in hands out.
    void* lock(HLOCAL block) const { return lock_(block); }
    void unlock(HLOCAL block) const { unlock_(block); }
    size_t size(HLOCAL block) const { return size_(block); }
    // Releases a handed-out block; a block the platform does not know is a finding.
    void release(HLOCAL block) const;
    long liveBlocks() const { return liveBlocks_(); }
    // The platform's allocation-failure hook (allocation_test_hooks.h).
    void failAllocationAfter(int n) const { failAllocationAfter_(n); }
    bool allocationFailureHappened() const { return allocationFailureHappened_() != 0; }

private:
    void* find(const char* symbol) const;

    void* handle_ = nullptr;
    void* (*lock_)(HLOCAL) = nullptr;
    int (*unlock_)(HLOCAL) = nullptr;
    size_t (*size_)(HLOCAL) = nullptr;
    HLOCAL (*free_)(HLOCAL) = nullptr;
    VantorLiveBlockCountFn liveBlocks_ = nullptr;
    VantorFailAllocationAfterFn failAllocationAfter_ = nullptr;
    VantorAllocationFailureHappenedFn allocationFailureHappened_ = nullptr;
};

}  // namespace vantor::fuzz
