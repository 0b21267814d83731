#include "bench/loaded_plugin.h"

#include <dlfcn.h>

#include <stdexcept>

namespace vantor::bench {

LoadedPlugin::LoadedPlugin(const std::string& path) : path_(path) {
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) throw std::runtime_error("cannot load " + path + ": " + dlerror());
}

LoadedPlugin::~LoadedPlugin() { dlclose(handle_); }

void* LoadedPlugin::symbolAddress(const char* symbol) const {
    void* address = dlsym(handle_, symbol);
    if (address == nullptr) throw std::runtime_error(path_ + " does not export " + symbol);
    return address;
}

std::string pluginPath(const std::string& name) {
    return std::string(VANTOR_BENCH_PLUGIN_DIR) + "/" + name + ".so";
}

std::string plainPluginPath(const std::string& name) {
    return std::string(VANTOR_BENCH_PLAIN_PLUGIN_DIR) + "/" + name + ".so";
}

}  // namespace vantor::bench
