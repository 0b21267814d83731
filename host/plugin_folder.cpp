#include "host/plugin_folder.h"

#include <cstdlib>

#include "host/failure.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace vantor::host {

namespace {

std::filesystem::path executablePath() {
#if defined(_WIN32)
    wchar_t buffer[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameW(nullptr, buffer, sizeof buffer / sizeof buffer[0]);
    if (length == 0 || length >= sizeof buffer / sizeof buffer[0]) return {};
    return std::filesystem::path(std::wstring(buffer, length));
#else
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/exe", error);
#endif
}

}  // namespace

std::filesystem::path pluginFolder(const std::string& option) {
    if (!option.empty()) return option;
    if (const char* fromEnvironment = std::getenv("VANTOR_PLUGIN_DIR");
        fromEnvironment != nullptr && *fromEnvironment != '\0') {
        return fromEnvironment;
    }
    const std::filesystem::path executable = executablePath();
    if (executable.empty()) throw Failure("", "cannot locate the plug-in folder: use --plugin-dir");
    const std::filesystem::path installed =
        executable.parent_path().parent_path() / VANTOR_PLUGIN_SUBDIR;
    return std::filesystem::is_directory(installed) ? installed : executable.parent_path();
}

}  // namespace vantor::host
