// Each benchmark file registers its benchmarks over the benchmark pictures.
#pragma once

namespace vantor::bench {

void registerDecodingBenchmarks();
void registerEncodingBenchmarks();
void registerPackingBenchmarks();

}  // namespace vantor::bench
