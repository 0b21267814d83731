// Test support: a plug-in loaded the way a host loads it, by path with
// dlopen, its exports and the platform's block calls resolved through its
// handle.
#pragma once

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "frame/plugin_api.h"

namespace vantor::test {

class LoadedPlugin {
public:
    // name: "ostrin", "kavrel" or "umbrel", looked up in the build's plug-in folder.
    explicit LoadedPlugin(const std::string& name);
    ~LoadedPlugin();
    LoadedPlugin(const LoadedPlugin&) = delete;
    LoadedPlugin& operator=(const LoadedPlugin&) = delete;

    // The symbol as the given function pointer type; a test failure if missing.
    template <class Fn>
    Fn get(const char* symbol) const {
        void* address = dlsym(handle_, symbol);
        EXPECT_NE(address, nullptr) << "missing export " << symbol;
        return reinterpret_cast<Fn>(address);
    }

    bool exports(const char* symbol) const { return dlsym(handle_, symbol) != nullptr; }

    // Copies a block the plug-in handed out (through LocalLock and LocalSize)
    // and releases it with LocalFree, as a host does.
    std::vector<uint8_t> take(HLOCAL block) const;

private:
    void* handle_ = nullptr;
};

}  // namespace vantor::test
