// A plug-in as the host sees it: its information strings, its exports, and
// the platform's block calls it hands its results out through.
#pragma once

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "frame/plugin_api.h"
#include "host/shared_library.h"

namespace vantor::host {

enum class PluginKind { picture, archive };

// LocalLock, LocalUnlock, LocalSize and LocalFree: KERNEL32's on Windows, the
// platform library's elsewhere, resolved through the plug-in's own handle.
struct BlockCalls {
    void* (*lock)(HLOCAL) = nullptr;
    int (*unlock)(HLOCAL) = nullptr;
    size_t (*size)(HLOCAL) = nullptr;
    HLOCAL (*release)(HLOCAL) = nullptr;
};

class Plugin {
public:
    // Throws Failure when the file is no plug-in this host can use.
    explicit Plugin(const std::filesystem::path& path);

    const std::filesystem::path& path() const { return path_; }
    std::string name() const { return path_.stem().string(); }
    PluginKind kind() const { return kind_; }
    // 0: kind ("00IN", "00AM"), 1: description, 2: file pattern, 3: format name.
    const std::string& info(int i) const { return info_[i]; }
    const std::string& formatName() const { return info_[3]; }
    bool matchesName(const std::string& fileName) const;

    IsSupportedFn isSupported = nullptr;
    GetPictureInfoFn getPictureInfo = nullptr;
    GetPictureFn getPicture = nullptr;
    GetArchiveInfoFn getArchiveInfo = nullptr;
    GetFileInfoFn getFileInfo = nullptr;
    GetFileFn getFile = nullptr;
    BlockCalls blocks;

private:
    std::filesystem::path path_;
    std::shared_ptr<SharedLibrary> library_;
    std::array<std::string, 4> info_;
    PluginKind kind_ = PluginKind::picture;
};

struct LoadedPlugins {
    std::vector<Plugin> plugins;
    std::vector<std::string> skipped;  // "file: reason" for libraries that are no usable plug-in
};

// Every plug-in in the folder, in file-name order.
LoadedPlugins loadPlugins(const std::filesystem::path& folder);

}  // namespace vantor::host
