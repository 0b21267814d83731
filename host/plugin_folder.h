// Where the host finds its plug-ins.
#pragma once

#include <filesystem>
#include <string>

namespace vantor::host {

// The --plugin-dir option when given, else $VANTOR_PLUGIN_DIR, else the
// folder installed beside the executable (../lib/vantor/plugins from bin/),
// which is the same in the build tree and in an installed tree.
std::filesystem::path pluginFolder(const std::string& option);

}  // namespace vantor::host
