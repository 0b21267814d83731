#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "authoring/pak_writer.h"
#include "host/commands/commands.h"
#include "host/failure.h"
#include "host/output_file.h"

namespace vantor::host {

namespace {

// Scrambled archives list names in upper case; the files keep theirs.
std::string memberName(const std::filesystem::path& file, bool plain) {
    std::string name = file.filename().string();
    if (!plain) {
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    }
    return name;
}

authoring::PakMember readMember(const std::string& path, bool plain) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw Failure(path, "cannot open");
    return {memberName(path, plain), std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {})};
}

}  // namespace

int runPack(const PackOptions& options) {
    checkWritable(options.output, options.force);
    std::vector<authoring::PakMember> members;
    for (const std::string& file : options.files)
        members.push_back(readMember(file, options.plain));
    std::vector<uint8_t> archive;
    try {
        archive = options.plain ? authoring::writePlainPak(members)
                                : authoring::writeScrambledPak(members);
    } catch (const std::invalid_argument& refused) {
        throw Failure(options.output, refused.what());
    }
    writeOutputFile(options.output, archive, options.force);
    std::printf("%s: %zu members, %s layout\n", options.output.c_str(), members.size(),
                options.plain ? "plain" : "scrambled");
    return 0;
}

}  // namespace vantor::host
