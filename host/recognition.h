// Choosing the plug-in for a file the way a viewer does: the plug-ins whose
// file pattern matches the name are asked first, but IsSupported decides.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "host/plugin.h"

namespace vantor::host {

// The first plug-in of `kind` that recognises the file from an open handle,
// or null.
const Plugin* recogniseFile(const std::vector<Plugin>& plugins, PluginKind kind,
                            const std::filesystem::path& file);

// The same for bytes held in memory (an archive member), from a head buffer.
const Plugin* recogniseBytes(const std::vector<Plugin>& plugins, PluginKind kind,
                             const std::string& name, std::span<const uint8_t> bytes);

// recogniseFile for the commands that need a plug-in: throws Failure naming
// the file when none recognises it.
const Plugin& requireArchiveExtractor(const std::vector<Plugin>& plugins,
                                      const std::filesystem::path& file);
const Plugin& requirePictureFilter(const std::vector<Plugin>& plugins,
                                   const std::filesystem::path& file);

// Asks one plug-in about an open file; the first call of the archive order.
bool fileIsSupported(const Plugin& plugin, const std::filesystem::path& file);

}  // namespace vantor::host
