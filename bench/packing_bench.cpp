// The PAK packer on the twelve benchmark pictures, in both layouts, in MB/s
// of member bytes. The archive is checked through the shipped kavrel first.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "authoring/pak_writer.h"
#include "bench/bench_pictures.h"
#include "bench/loaded_plugin.h"
#include "bench/registry.h"
#include "frame/platform.h"

namespace vantor::bench {

namespace {

enum class Layout { scrambled, plain };

std::vector<authoring::PakMember> members() {
    std::vector<authoring::PakMember> all;
    int n = 0;
    for (const BenchPicture& picture : benchPictures()) {
        const char* extension = picture.format == Format::lf2 ? ".LF2" : ".LFG";
        all.push_back({"PICT" + std::to_string(10 + n++) + extension, picture.file});
    }
    return all;
}

std::vector<uint8_t> pack(const std::vector<authoring::PakMember>& all, Layout layout) {
    // A fixed key keeps the scrambled archives alike from run to run.
    return layout == Layout::plain ? authoring::writePlainPak(all)
                                   : authoring::writeScrambledPak(
                                         all, authoring::PakKey{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
}

// kavrel recognises the archive, lists every member, and gives the last one
// back byte for byte.
bool kavrelReadsBack(const std::vector<uint8_t>& archive,
                     const std::vector<authoring::PakMember>& all) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("vantor-bench-" + std::to_string(::getpid()) + ".pak");
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(archive.data()),
               static_cast<std::streamsize>(archive.size()));
    const LoadedPlugin kavrel(pluginPath("kavrel"));
    std::vector<uint8_t> head(2048, 0);
    std::memcpy(head.data(), archive.data(), std::min(head.size(), archive.size()));
    bool ok = kavrel.get<IsSupportedFn>("IsSupported")(
                  "bench.pak", reinterpret_cast<uintptr_t>(head.data())) == VANTOR_SUPPORTED;
    HLOCAL listing = nullptr;
    ok = ok &&
         kavrel.get<GetArchiveInfoFn>("GetArchiveInfo")(path.c_str(), 0, 0, &listing) == VANTOR_OK;
    if (ok) {
        ok = LocalSize(listing) == (all.size() + 1) * sizeof(FileInfoRecord);
        LocalFree(listing);
    }
    FileInfoRecord record{};
    ok = ok && kavrel.get<GetFileInfoFn>("GetFileInfo")(path.c_str(), 0, all.back().name.c_str(), 0,
                                                        &record) == VANTOR_OK;
    HLOCAL member = nullptr;
    ok = ok && kavrel.get<GetFileFn>("GetFile")(path.c_str(), record.position,
                                                reinterpret_cast<char*>(&member),
                                                VANTOR_OUTPUT_MEMORY, nullptr, 0) == VANTOR_OK;
    if (ok) {
        const auto& bytes = all.back().bytes;
        ok = LocalSize(member) == bytes.size() &&
             std::memcmp(LocalLock(member), bytes.data(), bytes.size()) == 0;
        LocalUnlock(member);
        LocalFree(member);
    }
    std::filesystem::remove(path);
    return ok;
}

void packArchive(benchmark::State& state, Layout layout) {
    const auto all = members();
    if (!kavrelReadsBack(pack(all, layout), all)) {
        state.SkipWithError("kavrel does not read the archive back");
        return;
    }
    size_t memberBytes = 0;
    for (const auto& m : all) memberBytes += m.bytes.size();
    for (auto _ : state) benchmark::DoNotOptimize(pack(all, layout));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * memberBytes));
}

}  // namespace

void registerPackingBenchmarks() {
    benchmark::RegisterBenchmark("pack/scrambled", packArchive, Layout::scrambled);
    benchmark::RegisterBenchmark("pack/plain", packArchive, Layout::plain);
}

}  // namespace vantor::bench
