// The authoring encoder on the benchmark pictures: the optimal parse (what
// `vantor encode` uses) and the lazy one (`--fast`), in MB/s of pixel bytes,
// with the stream size of each and the optimal one's size against the lazy.
#include <benchmark/benchmark.h>

#include <cstring>

#include "authoring/lf2_writer.h"
#include "authoring/lfg_writer.h"
#include "bench/bench_pictures.h"
#include "bench/loaded_plugin.h"
#include "bench/registry.h"
#include "frame/platform.h"

namespace vantor::bench {

namespace {

using authoring::Parse;

std::vector<uint8_t> write(const BenchPicture& picture, Parse parse) {
    return picture.format == Format::lf2 ? authoring::writeLf2(picture.lf2, parse)
                                         : authoring::writeLfg(picture.lfg, parse);
}

// What the encoder wrote must decode, through the shipped plug-in, to the
// picture.
bool decodesToThePicture(const BenchPicture& picture, const std::vector<uint8_t>& file) {
    const LoadedPlugin plugin(pluginPath(picture.format == Format::lf2 ? "umbrel" : "ostrin"));
    HLOCAL info = nullptr, pixels = nullptr;
    if (plugin.get<GetPictureFn>("GetPicture")(
            reinterpret_cast<const char*>(file.data()), static_cast<intptr_t>(file.size()),
            VANTOR_INPUT_MEMORY, &info, &pixels, nullptr, 0) != VANTOR_OK) {
        return false;
    }
    const bool same = std::memcmp(LocalLock(pixels), picture.rows.data(), picture.rows.size()) == 0;
    LocalUnlock(pixels);
    LocalFree(info);
    LocalFree(pixels);
    return same;
}

void encode(benchmark::State& state, const BenchPicture& picture, Parse parse) {
    const std::vector<uint8_t> file = write(picture, parse);
    if (!decodesToThePicture(picture, file)) {
        state.SkipWithError("the written picture does not decode to the picture");
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(write(picture, parse));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * picture.rows.size()));
    state.counters["file_bytes"] = static_cast<double>(file.size());
    if (parse == Parse::optimal) {
        state.counters["size_vs_lazy"] = static_cast<double>(file.size()) /
                                         static_cast<double>(write(picture, Parse::lazy).size());
    }
}

}  // namespace

void registerEncodingBenchmarks() {
    for (const BenchPicture& picture : benchPictures()) {
        benchmark::RegisterBenchmark(("encode/optimal/" + picture.name).c_str(), encode,
                                     std::cref(picture), Parse::optimal)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("encode/lazy/" + picture.name).c_str(), encode,
                                     std::cref(picture), Parse::lazy)
            ->Unit(benchmark::kMillisecond);
    }
}

}  // namespace vantor::bench
