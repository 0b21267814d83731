#include <cstdio>

#include "host/commands/commands.h"
#include "host/failure.h"
#include "host/plugin_folder.h"

namespace vantor::host {

Session openSession(const std::string& pluginDirOption) {
    const std::filesystem::path folder = pluginFolder(pluginDirOption);
    if (!std::filesystem::is_directory(folder)) {
        throw Failure(folder.string(),
                      "no such plug-in folder (use --plugin-dir or VANTOR_PLUGIN_DIR)");
    }
    LoadedPlugins loaded = loadPlugins(folder);
    if (loaded.plugins.empty()) throw Failure(folder.string(), "no plug-ins in this folder");
    return Session{std::move(loaded.plugins), std::move(loaded.skipped)};
}

void reportFailure(const std::exception& failure) {
    std::fprintf(stderr, "vantor: %s\n", failure.what());
}

}  // namespace vantor::host
