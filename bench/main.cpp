// vantor_bench: decoding, encoding and packing on pictures drawn by our own
// generator. bench/summarise.py turns its JSON output into the ratios
// docs/performance.md reports.
#include <benchmark/benchmark.h>

#include "bench/registry.h"

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    vantor::bench::registerDecodingBenchmarks();
    vantor::bench::registerEncodingBenchmarks();
    vantor::bench::registerPackingBenchmarks();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
