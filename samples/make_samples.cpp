// Writes the bundled sample archives, sample.pak and plain.pak, into the
// folder named on the command line (made if missing).
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>

#include "samples/sample_archives.h"

namespace {

namespace fs = std::filesystem;

void writeFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_samples FOLDER\n";
        return 2;
    }
    try {
        const fs::path folder = argv[1];
        fs::create_directories(folder);
        writeFile(folder / "sample.pak", vantor::samples::makeScrambledSample());
        writeFile(folder / "plain.pak", vantor::samples::makePlainSample());
    } catch (const std::exception& error) {
        std::cerr << "make_samples: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
