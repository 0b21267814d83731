#include "bench/loaded_plugin.h"

#include <stdexcept>

namespace vantor::bench {

LoadedPlugin::LoadedPlugin(const std::string& path) : path_(path) {
    std::string error;
    library_ = host::SharedLibrary::open(path, error);
    if (!library_) throw std::runtime_error("cannot load " + path + ": " + error);
}

void* LoadedPlugin::symbolAddress(const char* symbol) const {
    void* address = library_->symbol(symbol);
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
