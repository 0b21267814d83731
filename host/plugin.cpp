#include "host/plugin.h"

#include <algorithm>

#include "host/failure.h"
#include "host/file_pattern.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace vantor::host {

namespace {

#if defined(_WIN32)
constexpr const char* kLibrarySuffix = ".dll";

// KERNEL32's own calls, behind plain functions: the host calls them through
// pointers of its own calling convention.
void* lockBlock(HLOCAL h) { return LocalLock(h); }
int unlockBlock(HLOCAL h) { return LocalUnlock(h); }
size_t blockSize(HLOCAL h) { return LocalSize(h); }
HLOCAL freeBlock(HLOCAL h) { return LocalFree(h); }

BlockCalls blockCallsOf(const SharedLibrary&) {
    return BlockCalls{lockBlock, unlockBlock, blockSize, freeBlock};
}
#else
constexpr const char* kLibrarySuffix = ".so";

BlockCalls blockCallsOf(const SharedLibrary& library) {
    BlockCalls calls;
    calls.lock = library.function<void* (*)(HLOCAL)>("LocalLock");
    calls.unlock = library.function<int (*)(HLOCAL)>("LocalUnlock");
    calls.size = library.function<size_t (*)(HLOCAL)>("LocalSize");
    calls.release = library.function<HLOCAL (*)(HLOCAL)>("LocalFree");
    return calls;
}
#endif

std::string infoString(GetPluginInfoFn getPluginInfo, int infoNo) {
    char buf[256] = {};
    const int length = getPluginInfo(infoNo, buf, sizeof buf);
    if (length <= 0 || length >= static_cast<int>(sizeof buf)) return {};
    return std::string(buf, static_cast<size_t>(length));
}

}  // namespace

Plugin::Plugin(const std::filesystem::path& path) : path_(path) {
    const std::string file = path.string();
    std::string error;
    library_ = SharedLibrary::open(path, error);
    if (!library_) throw Failure(file, error);

    auto getPluginInfo = library_->function<GetPluginInfoFn>("GetPluginInfo");
    if (getPluginInfo == nullptr) throw Failure(file, "no GetPluginInfo export");
    for (int i = 0; i < 4; ++i) info_[i] = infoString(getPluginInfo, i);

    isSupported = library_->function<IsSupportedFn>("IsSupported");
    if (isSupported == nullptr) throw Failure(file, "no IsSupported export");
    blocks = blockCallsOf(*library_);
    if (!blocks.lock || !blocks.unlock || !blocks.size || !blocks.release) {
        throw Failure(file, "LocalLock, LocalUnlock, LocalSize or LocalFree cannot be resolved");
    }

    const std::string& kind = info_[0];
    if (kind.size() == 4 && kind.substr(2) == "IN") {
        kind_ = PluginKind::picture;
        getPictureInfo = library_->function<GetPictureInfoFn>("GetPictureInfo");
        getPicture = library_->function<GetPictureFn>("GetPicture");
        if (!getPictureInfo || !getPicture) {
            throw Failure(file, "a picture filter without GetPictureInfo or GetPicture");
        }
    } else if (kind.size() == 4 && kind.substr(2) == "AM") {
        kind_ = PluginKind::archive;
        getArchiveInfo = library_->function<GetArchiveInfoFn>("GetArchiveInfo");
        getFileInfo = library_->function<GetFileInfoFn>("GetFileInfo");
        getFile = library_->function<GetFileFn>("GetFile");
        if (!getArchiveInfo || !getFileInfo || !getFile) {
            throw Failure(file,
                          "an archive extractor without GetArchiveInfo, GetFileInfo or GetFile");
        }
    } else {
        throw Failure(file, "unknown plug-in kind \"" + kind + "\"");
    }
}

bool Plugin::matchesName(const std::string& fileName) const {
    return matchesFilePattern(info_[2], fileName);
}

LoadedPlugins loadPlugins(const std::filesystem::path& folder) {
    LoadedPlugins loaded;
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (entry.path().extension() == kLibrarySuffix) files.push_back(entry.path());
    }
    if (error) throw Failure(folder.string(), "cannot read the plug-in folder: " + error.message());
    std::sort(files.begin(), files.end());
    for (const auto& file : files) {
        try {
            loaded.plugins.emplace_back(file);
        } catch (const Failure& failure) {
            loaded.skipped.push_back(failure.what());
        }
    }
    return loaded;
}

}  // namespace vantor::host
