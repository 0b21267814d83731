// Decoding the benchmark pictures: GetPicture with memory input through the
// shipped plug-in (the fast path) and through one built with the plain
// decoder, block allocation and hand-over included; and zlib and libdeflate
// decompressing the same pixel rows, as yardsticks.
#include <benchmark/benchmark.h>
#include <libdeflate.h>
#include <zlib.h>

#include <cstring>
#include <memory>
#include <vector>

#include "bench/bench_pictures.h"
#include "bench/loaded_plugin.h"
#include "bench/registry.h"
#include "frame/platform.h"

namespace vantor::bench {

namespace {

const char* filterFor(const BenchPicture& picture) {
    return picture.format == Format::lf2 ? "umbrel" : "ostrin";
}

void releaseBoth(HLOCAL info, HLOCAL pixels) {
    LocalFree(info);
    LocalFree(pixels);
}

// The pixel rows the plug-in hands out must be the picture's.
bool handsOutThePicture(GetPictureFn getPicture, const BenchPicture& picture) {
    HLOCAL info = nullptr, pixels = nullptr;
    if (getPicture(reinterpret_cast<const char*>(picture.file.data()),
                   static_cast<intptr_t>(picture.file.size()), VANTOR_INPUT_MEMORY, &info, &pixels,
                   nullptr, 0) != VANTOR_OK) {
        return false;
    }
    const auto* bytes = static_cast<const uint8_t*>(LocalLock(pixels));
    const bool same = std::memcmp(bytes, picture.rows.data(), picture.rows.size()) == 0;
    LocalUnlock(pixels);
    releaseBoth(info, pixels);
    return same;
}

void getPicture(benchmark::State& state, const BenchPicture& picture, const std::string& path) {
    const LoadedPlugin plugin(path);
    const auto getPicture = plugin.get<GetPictureFn>("GetPicture");
    if (!handsOutThePicture(getPicture, picture)) {
        state.SkipWithError("the plug-in does not hand out the picture");
        return;
    }
    const auto* file = reinterpret_cast<const char*>(picture.file.data());
    const auto size = static_cast<intptr_t>(picture.file.size());
    for (auto _ : state) {
        HLOCAL info = nullptr, pixels = nullptr;
        getPicture(file, size, VANTOR_INPUT_MEMORY, &info, &pixels, nullptr, 0);
        releaseBoth(info, pixels);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * picture.rows.size()));
}

void zlibInflate(benchmark::State& state, const BenchPicture& picture) {
    std::vector<uint8_t> packed(compressBound(picture.rows.size()));
    uLongf packedSize = packed.size();
    compress2(packed.data(), &packedSize, picture.rows.data(), picture.rows.size(), 9);
    std::vector<uint8_t> rows(picture.rows.size());
    auto inflate = [&] {
        uLongf rowsSize = rows.size();
        return uncompress(rows.data(), &rowsSize, packed.data(), packedSize) == Z_OK &&
               rowsSize == rows.size();
    };
    if (!inflate() || rows != picture.rows) {
        state.SkipWithError("zlib does not give the picture back");
        return;
    }
    for (auto _ : state) {
        inflate();
        benchmark::DoNotOptimize(rows.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * picture.rows.size()));
    state.counters["packed_bytes"] = static_cast<double>(packedSize);
}

struct Compressor {
    void operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }
};
struct Decompressor {
    void operator()(libdeflate_decompressor* d) const { libdeflate_free_decompressor(d); }
};

void libdeflateInflate(benchmark::State& state, const BenchPicture& picture) {
    const std::unique_ptr<libdeflate_compressor, Compressor> compressor(
        libdeflate_alloc_compressor(12));
    const std::unique_ptr<libdeflate_decompressor, Decompressor> decompressor(
        libdeflate_alloc_decompressor());
    std::vector<uint8_t> packed(
        libdeflate_zlib_compress_bound(compressor.get(), picture.rows.size()));
    packed.resize(libdeflate_zlib_compress(compressor.get(), picture.rows.data(),
                                           picture.rows.size(), packed.data(), packed.size()));
    std::vector<uint8_t> rows(picture.rows.size());
    auto inflate = [&] {
        return libdeflate_zlib_decompress(decompressor.get(), packed.data(), packed.size(),
                                          rows.data(), rows.size(), nullptr) == LIBDEFLATE_SUCCESS;
    };
    if (packed.empty() || !inflate() || rows != picture.rows) {
        state.SkipWithError("libdeflate does not give the picture back");
        return;
    }
    for (auto _ : state) {
        inflate();
        benchmark::DoNotOptimize(rows.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * picture.rows.size()));
    state.counters["packed_bytes"] = static_cast<double>(packed.size());
}

}  // namespace

void registerDecodingBenchmarks() {
    for (const BenchPicture& picture : benchPictures()) {
        const std::string filter = filterFor(picture);
        benchmark::RegisterBenchmark(("decode/fast/" + picture.name).c_str(), getPicture,
                                     std::cref(picture), pluginPath(filter));
        benchmark::RegisterBenchmark(("decode/plain/" + picture.name).c_str(), getPicture,
                                     std::cref(picture), plainPluginPath(filter));
        benchmark::RegisterBenchmark(("decode/zlib/" + picture.name).c_str(), zlibInflate,
                                     std::cref(picture));
        benchmark::RegisterBenchmark(("decode/libdeflate/" + picture.name).c_str(),
                                     libdeflateInflate, std::cref(picture));
    }
}

}  // namespace vantor::bench
