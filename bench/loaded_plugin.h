// A plug-in loaded as the host loads it (host/shared_library.h), with the
// exports the benchmarks call; what is missing is an exception, not a null.
#pragma once

#include <memory>
#include <string>

#include "frame/plugin_api.h"
#include "host/shared_library.h"

namespace vantor::bench {

class LoadedPlugin {
public:
    // Throws std::runtime_error when the library or an export is missing.
    explicit LoadedPlugin(const std::string& path);

    template <class Fn>
    Fn get(const char* symbol) const {
        return reinterpret_cast<Fn>(symbolAddress(symbol));
    }

private:
    void* symbolAddress(const char* symbol) const;

    std::string path_;
    std::unique_ptr<host::SharedLibrary> library_;
};

// The folders the build put the plug-ins in: the ones it ships, and the ones
// built with the plain decoder for comparison.
std::string pluginPath(const std::string& name);
std::string plainPluginPath(const std::string& name);

}  // namespace vantor::bench
