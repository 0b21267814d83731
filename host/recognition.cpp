#include "host/recognition.h"

#include <algorithm>
#include <cstring>

#include "host/failure.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace vantor::host {

namespace {

constexpr size_t kHeadBytes = 2048;

// The file opened for IsSupported: a descriptor on POSIX, a file handle from
// OpenFile on Windows. Either is a small number, which tells the plug-in it
// is a handle and not a buffer address.
class RecognitionHandle {
public:
    explicit RecognitionHandle(const std::filesystem::path& file) {
#if defined(_WIN32)
        OFSTRUCT of;
        handle_ = OpenFile(file.string().c_str(), &of, OF_READ);
        open_ = handle_ != HFILE_ERROR;
#else
        handle_ = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
        open_ = handle_ >= 0;
#endif
        if (!open_) throw Failure(file.string(), "cannot open");
    }
    ~RecognitionHandle() {
#if defined(_WIN32)
        _lclose(handle_);
#else
        ::close(handle_);
#endif
    }
    RecognitionHandle(const RecognitionHandle&) = delete;
    RecognitionHandle& operator=(const RecognitionHandle&) = delete;

    // Archive plug-ins read from the current position: every question starts
    // at the beginning of the file.
    uintptr_t rewound() const {
#if defined(_WIN32)
        _llseek(handle_, 0, 0);
#else
        ::lseek(handle_, 0, SEEK_SET);
#endif
        return static_cast<uintptr_t>(handle_);
    }

private:
    int handle_ = -1;
    bool open_ = false;
};

// The plug-ins of `kind`, those whose pattern matches `name` first.
std::vector<const Plugin*> candidates(const std::vector<Plugin>& plugins, PluginKind kind,
                                      const std::string& name) {
    std::vector<const Plugin*> ordered;
    for (const Plugin& p : plugins) {
        if (p.kind() == kind) ordered.push_back(&p);
    }
    std::stable_partition(ordered.begin(), ordered.end(),
                          [&](const Plugin* p) { return p->matchesName(name); });
    return ordered;
}

}  // namespace

const Plugin* recogniseFile(const std::vector<Plugin>& plugins, PluginKind kind,
                            const std::filesystem::path& file) {
    if (std::filesystem::is_directory(file)) throw Failure(file.string(), "is a folder");
    RecognitionHandle handle(file);
    for (const Plugin* plugin : candidates(plugins, kind, file.filename().string())) {
        if (plugin->isSupported(file.string().c_str(), handle.rewound()) != 0) return plugin;
    }
    return nullptr;
}

const Plugin* recogniseBytes(const std::vector<Plugin>& plugins, PluginKind kind,
                             const std::string& name, std::span<const uint8_t> bytes) {
    // The host's head buffer: the first bytes, zeros after a short member.
    std::vector<uint8_t> head(kHeadBytes, 0);
    std::memcpy(head.data(), bytes.data(), std::min(bytes.size(), head.size()));
    for (const Plugin* plugin : candidates(plugins, kind, name)) {
        if (plugin->isSupported(name.c_str(), reinterpret_cast<uintptr_t>(head.data())) != 0) {
            return plugin;
        }
    }
    return nullptr;
}

const Plugin& requireArchiveExtractor(const std::vector<Plugin>& plugins,
                                      const std::filesystem::path& file) {
    const Plugin* plugin = recogniseFile(plugins, PluginKind::archive, file);
    if (plugin == nullptr) throw Failure(file.string(), "not an archive any plug-in recognises");
    return *plugin;
}

const Plugin& requirePictureFilter(const std::vector<Plugin>& plugins,
                                   const std::filesystem::path& file) {
    const Plugin* plugin = recogniseFile(plugins, PluginKind::picture, file);
    if (plugin == nullptr) throw Failure(file.string(), "not a picture any plug-in recognises");
    return *plugin;
}

bool fileIsSupported(const Plugin& plugin, const std::filesystem::path& file) {
    RecognitionHandle handle(file);
    return plugin.isSupported(file.string().c_str(), handle.rewound()) != 0;
}

}  // namespace vantor::host
