// Runs a fuzz target over saved inputs without libFuzzer: every file named,
// and every file in every folder named. This is how the test suite replays
// the seeds and the regression inputs, in any build.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

namespace fs = std::filesystem;

void replay(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<uint8_t> bytes(std::istreambuf_iterator<char>(in), {});
    // A copy of exactly the input's size, so reading past it is caught.
    auto* exact = new uint8_t[bytes.size()];
    std::copy(bytes.begin(), bytes.end(), exact);
    LLVMFuzzerTestOneInput(exact, bytes.size());
    delete[] exact;
}

}  // namespace

int main(int argc, char** argv) {
    size_t replayed = 0;
    for (int i = 1; i < argc; ++i) {
        const fs::path given = argv[i];
        if (!fs::exists(given)) {
            std::fprintf(stderr, "no such input: %s\n", argv[i]);
            return 2;
        }
        std::vector<fs::path> files;
        if (fs::is_directory(given)) {
            for (const auto& entry : fs::directory_iterator(given)) {
                if (entry.is_regular_file()) files.push_back(entry.path());
            }
        } else {
            files.push_back(given);
        }
        std::sort(files.begin(), files.end());
        for (const fs::path& file : files) {
            replay(file);
            ++replayed;
        }
    }
    std::printf("replayed %zu inputs, no finding\n", replayed);
    return replayed == 0 ? 1 : 0;
}
