// vantor_bench_batch OUT COPIES: writes the benchmark pictures COPIES times
// into folder OUT (P000.LF2, P001.LFG, ...), a batch for timing vantor
// extract --png and vantor convert end to end (bench/end_to_end.sh).
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "bench/bench_pictures.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s OUT COPIES\n", argv[0]);
        return 2;
    }
    const std::filesystem::path out = argv[1];
    std::filesystem::create_directories(out);
    const int copies = std::atoi(argv[2]);
    int n = 0;
    for (int copy = 0; copy < copies; ++copy) {
        for (const auto& picture : vantor::bench::benchPictures()) {
            char name[16];
            std::snprintf(name, sizeof name, "P%03d.%s", n++,
                          picture.format == vantor::bench::Format::lf2 ? "LF2" : "LFG");
            std::ofstream(out / name, std::ios::binary)
                .write(reinterpret_cast<const char*>(picture.file.data()),
                       static_cast<std::streamsize>(picture.file.size()));
        }
    }
    return 0;
}
