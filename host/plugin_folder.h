// Where the host finds its plug-ins.
#pragma once

#include <filesystem>
#include <string>

namespace vantor::host {

// The --plugin-dir option when given, else $VANTOR_PLUGIN_DIR, else the
// folder installed beside the executable: ../lib/vantor/plugins from bin/, as
// in the build tree and an installed tree, or, when there is none, the
// executable's own folder, as in the flat Windows package.
std::filesystem::path pluginFolder(const std::string& option);

}  // namespace vantor::host
