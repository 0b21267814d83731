// A minimal host that loads one picture filter and decodes pictures through
// it exactly as a viewer does, writing what the filter handed out to a dump
// file per picture. Built natively and for 32-bit Windows from this one
// source, so the two builds' dumps can be compared byte for byte.
//
//   picture_dump PLUGIN OUTDIR PICTURE...
//
// A dump holds: the summary record (28 bytes), GetPicture's result by file
// input, then, when it succeeded, the info block and the pixel rows
// (stride × height bytes; pad bytes zeroed, since the filter leaves them
// undefined). Decoding by memory input must give the same blocks.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "frame/plugin_api.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

struct Plugin {
    IsSupportedFn isSupported;
    GetPictureInfoFn getPictureInfo;
    GetPictureFn getPicture;
    void* (*lock)(HLOCAL);
    size_t (*size)(HLOCAL);
    HLOCAL (*release)(HLOCAL);
};

#if defined(_WIN32)
void* lockBlock(HLOCAL h) { return LocalLock(h); }
size_t blockSize(HLOCAL h) { return LocalSize(h); }
HLOCAL freeBlock(HLOCAL h) { return LocalFree(h); }

template <class Fn>
Fn symbol(HMODULE module, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

bool load(const char* path, Plugin& p) {
    HMODULE module = LoadLibraryA(path);
    if (module == nullptr) return false;
    p.isSupported = symbol<IsSupportedFn>(module, "IsSupported");
    p.getPictureInfo = symbol<GetPictureInfoFn>(module, "GetPictureInfo");
    p.getPicture = symbol<GetPictureFn>(module, "GetPicture");
    p.lock = lockBlock;
    p.size = blockSize;
    p.release = freeBlock;
    return p.isSupported && p.getPictureInfo && p.getPicture;
}

uintptr_t openForRecognition(const char* path) {
    OFSTRUCT of;
    return static_cast<uintptr_t>(OpenFile(path, &of, OF_READ));
}
void closeRecognition(uintptr_t handle) { _lclose(static_cast<HFILE>(handle)); }
#else
bool load(const char* path, Plugin& p) {
    void* module = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) return false;
    p.isSupported = reinterpret_cast<IsSupportedFn>(dlsym(module, "IsSupported"));
    p.getPictureInfo = reinterpret_cast<GetPictureInfoFn>(dlsym(module, "GetPictureInfo"));
    p.getPicture = reinterpret_cast<GetPictureFn>(dlsym(module, "GetPicture"));
    p.lock = reinterpret_cast<void* (*)(HLOCAL)>(dlsym(module, "LocalLock"));
    p.size = reinterpret_cast<size_t (*)(HLOCAL)>(dlsym(module, "LocalSize"));
    p.release = reinterpret_cast<HLOCAL (*)(HLOCAL)>(dlsym(module, "LocalFree"));
    return p.isSupported && p.getPictureInfo && p.getPicture && p.lock && p.size && p.release;
}

uintptr_t openForRecognition(const char* path) {
    return static_cast<uintptr_t>(open(path, O_RDONLY));
}
void closeRecognition(uintptr_t handle) { close(static_cast<int>(handle)); }
#endif

std::vector<char> readAll(const char* path) {
    std::vector<char> bytes;
    if (FILE* f = std::fopen(path, "rb")) {
        char chunk[65536];
        size_t got;
        while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0)
            bytes.insert(bytes.end(), chunk, chunk + got);
        std::fclose(f);
    }
    return bytes;
}

uint32_t le32(const uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

struct Decoded {
    int result;
    std::vector<uint8_t> info;
    std::vector<uint8_t> rows;
};

// The info block and the meaningful pixel bytes; the plug-in's blocks are
// freed as a host frees them.
Decoded decode(const Plugin& p, const char* buf, intptr_t len, unsigned flag) {
    HLOCAL infoHandle = nullptr, pixelHandle = nullptr;
    Decoded d{p.getPicture(buf, len, flag, &infoHandle, &pixelHandle, nullptr, 0), {}, {}};
    if (d.result != 0) return d;
    const auto* info = static_cast<const uint8_t*>(p.lock(infoHandle));
    d.info.assign(info, info + p.size(infoHandle));
    const uint32_t width = le32(info + 4), height = le32(info + 8), bits = info[14];
    const size_t stride = (size_t{width} * bits + 31) / 32 * 4;
    const size_t used = size_t{width} * bits / 8;
    const auto* pixels = static_cast<const uint8_t*>(p.lock(pixelHandle));
    const size_t pixelBytes = p.size(pixelHandle);
    if (stride * height <= pixelBytes) {
        for (uint32_t r = 0; r < height; ++r) {
            const uint8_t* row = pixels + r * stride;
            d.rows.insert(d.rows.end(), row, row + used);
            d.rows.resize(d.rows.size() + (stride - used), 0);
        }
    } else {
        d.result = 2;  // a pixel block too small for its own header
    }
    p.release(infoHandle);
    p.release(pixelHandle);
    return d;
}

bool dump(const Plugin& p, const char* picture, const std::string& out) {
    const uintptr_t handle = openForRecognition(picture);
    const int supported = p.isSupported(picture, handle);
    closeRecognition(handle);

    PictureInfoRecord record{};
    const int infoResult = p.getPictureInfo(picture, 0, VANTOR_INPUT_FILE, &record);
    const Decoded byFile = decode(p, picture, 0, VANTOR_INPUT_FILE);
    const std::vector<char> bytes = readAll(picture);
    const Decoded byMemory =
        decode(p, bytes.data(), static_cast<intptr_t>(bytes.size()), VANTOR_INPUT_MEMORY);
    if (byFile.result != byMemory.result || byFile.info != byMemory.info ||
        byFile.rows != byMemory.rows) {
        std::fprintf(stderr, "%s: file and memory input disagree\n", picture);
        return false;
    }

    FILE* f = std::fopen(out.c_str(), "wb");
    if (f == nullptr) return false;
    std::fprintf(f, "supported %d info %d picture %d\n", supported, infoResult, byFile.result);
    std::fwrite(&record, sizeof record, 1, f);
    std::fwrite(byFile.info.data(), 1, byFile.info.size(), f);
    std::fwrite(byFile.rows.data(), 1, byFile.rows.size(), f);
    return std::fclose(f) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: picture_dump PLUGIN OUTDIR PICTURE...\n");
        return 2;
    }
    Plugin plugin{};
    if (!load(argv[1], plugin)) {
        std::fprintf(stderr, "%s: cannot load the plug-in or its exports\n", argv[1]);
        return 1;
    }
    int failures = 0;
    for (int i = 3; i < argc; ++i) {
        std::string name = argv[i];
        name = name.substr(name.find_last_of("/\\") + 1);
        if (!dump(plugin, argv[i], std::string(argv[2]) + "/" + name + ".dump")) ++failures;
    }
    return failures == 0 ? 0 : 1;
}
