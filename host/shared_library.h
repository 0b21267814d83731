// A shared library loaded at run time: dlopen on POSIX, LoadLibrary on Windows.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

namespace vantor::host {

class SharedLibrary {
public:
    // Null with `error` set when the library cannot be loaded.
    static std::unique_ptr<SharedLibrary> open(const std::filesystem::path& path,
                                               std::string& error);
    ~SharedLibrary();
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    // The address of an exported symbol, or null.
    void* symbol(const char* name) const;

    template <class Fn>
    Fn function(const char* name) const {
        return reinterpret_cast<Fn>(symbol(name));
    }

private:
    explicit SharedLibrary(void* handle) : handle_(handle) {}
    void* handle_;
};

}  // namespace vantor::host
