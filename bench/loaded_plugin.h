// A plug-in loaded as a host loads it, by path with dlopen, with the exports
// the benchmarks call.
#pragma once

#include <string>

#include "frame/plugin_api.h"

namespace vantor::bench {

class LoadedPlugin {
public:
    // Throws std::runtime_error when the library or an export is missing.
    explicit LoadedPlugin(const std::string& path);
    ~LoadedPlugin();
    LoadedPlugin(const LoadedPlugin&) = delete;
    LoadedPlugin& operator=(const LoadedPlugin&) = delete;

    template <class Fn>
    Fn get(const char* symbol) const {
        return reinterpret_cast<Fn>(symbolAddress(symbol));
    }

private:
    void* symbolAddress(const char* symbol) const;

    std::string path_;
    void* handle_ = nullptr;
};

// The folders the build put the plug-ins in: the ones it ships, and the ones
// built with the plain decoder for comparison.
std::string pluginPath(const std::string& name);
std::string plainPluginPath(const std::string& name);

}  // namespace vantor::bench
