#include "tests/support/loaded_plugin.h"

#include <cstring>

namespace vantor::test {

LoadedPlugin::LoadedPlugin(const std::string& name) {
    const std::string path = std::string(VANTOR_TEST_PLUGIN_DIR) + "/" + name + ".so";
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) {
        ADD_FAILURE() << "cannot load " << path << ": " << dlerror();
    }
}

LoadedPlugin::~LoadedPlugin() {
    if (handle_ != nullptr) dlclose(handle_);
}

std::vector<uint8_t> LoadedPlugin::take(HLOCAL block) const {
    using LockFn = void* (*)(HLOCAL);
    using UnlockFn = int (*)(HLOCAL);
    using SizeFn = size_t (*)(HLOCAL);
    using FreeFn = HLOCAL (*)(HLOCAL);
    auto lock = get<LockFn>("LocalLock");
    auto unlock = get<UnlockFn>("LocalUnlock");
    auto size = get<SizeFn>("LocalSize");
    auto release = get<FreeFn>("LocalFree");
    std::vector<uint8_t> bytes(size(block));
    const void* data = lock(block);
    EXPECT_NE(data, nullptr);
    if (data != nullptr && !bytes.empty()) std::memcpy(bytes.data(), data, bytes.size());
    unlock(block);
    EXPECT_EQ(release(block), nullptr);
    return bytes;
}

}  // namespace vantor::test
