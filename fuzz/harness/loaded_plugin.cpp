#include "fuzz/harness/loaded_plugin.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

#include "fuzz/harness/invariant.h"

namespace vantor::fuzz {

LoadedPlugin::LoadedPlugin(const std::string& name) {
    const std::string path = std::string(VANTOR_FUZZ_PLUGIN_DIR) + "/" + name + ".so";
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) {
        std::fprintf(stderr, "cannot load %s: %s\n", path.c_str(), dlerror());
        std::exit(2);
    }
    lock_ = get<decltype(lock_)>("LocalLock");
    unlock_ = get<decltype(unlock_)>("LocalUnlock");
    size_ = get<decltype(size_)>("LocalSize");
    free_ = get<decltype(free_)>("LocalFree");
    liveBlocks_ = get<VantorLiveBlockCountFn>("VantorLiveBlockCount");
    failAllocationAfter_ = get<VantorFailAllocationAfterFn>("VantorFailAllocationAfter");
    allocationFailureHappened_ =
        get<VantorAllocationFailureHappenedFn>("VantorAllocationFailureHappened");
}

void* LoadedPlugin::find(const char* symbol) const {
    void* address = dlsym(handle_, symbol);
    if (address == nullptr) {
        std::fprintf(stderr, "the plug-in has no symbol %s\n", symbol);
        std::exit(2);
    }
    return address;
}

void LoadedPlugin::release(HLOCAL block) const { FUZZ_REQUIRE(free_(block) == nullptr); }

}  // namespace vantor::fuzz
