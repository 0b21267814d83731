#include "host/shared_library.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace vantor::host {

#if defined(_WIN32)

std::unique_ptr<SharedLibrary> SharedLibrary::open(const std::filesystem::path& path,
                                                   std::string& error) {
    HMODULE module = LoadLibraryW(path.c_str());
    if (module == nullptr) {
        error = "cannot load (error " + std::to_string(GetLastError()) + ")";
        return nullptr;
    }
    return std::unique_ptr<SharedLibrary>(new SharedLibrary(module));
}

SharedLibrary::~SharedLibrary() { FreeLibrary(static_cast<HMODULE>(handle_)); }

void* SharedLibrary::symbol(const char* name) const {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name));
}

#else

std::unique_ptr<SharedLibrary> SharedLibrary::open(const std::filesystem::path& path,
                                                   std::string& error) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* why = dlerror();
        error = why ? why : "cannot load";
        return nullptr;
    }
    return std::unique_ptr<SharedLibrary>(new SharedLibrary(handle));
}

SharedLibrary::~SharedLibrary() { dlclose(handle_); }

void* SharedLibrary::symbol(const char* name) const { return dlsym(handle_, name); }

#endif

}  // namespace vantor::host
