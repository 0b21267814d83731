#include <cstdio>
#include <fstream>

#include "host/archive.h"
#include "host/commands/commands.h"
#include "host/failure.h"
#include "host/picture.h"
#include "host/recognition.h"

namespace vantor::host {

namespace {

// PAK archives come in two layouts; only the scrambled one starts with a magic.
std::string layoutOf(const Plugin& plugin, const std::filesystem::path& file) {
    if (plugin.formatName() != "PAK") return {};
    char magic[8] = {};
    std::ifstream(file, std::ios::binary).read(magic, sizeof magic);
    return std::string(magic, sizeof magic) == "LEAFPACK" ? "scrambled layout, " : "plain layout, ";
}

void describe(const Session& session, const std::filesystem::path& file) {
    const std::string name = file.string();
    // Pictures first: their magic is strong, while a plain archive is
    // recognised only by the shape of its directory.
    if (const Plugin* filter = recogniseFile(session.plugins, PluginKind::picture, file)) {
        const PictureSummary s = summarisePicture(*filter, file);
        std::printf("%s: %s picture (%s), %dx%d at %d,%d, %d bits per pixel\n", name.c_str(),
                    filter->formatName().c_str(), filter->name().c_str(), s.width, s.height, s.left,
                    s.top, s.colorDepth);
        return;
    }
    if (const Plugin* extractor = recogniseFile(session.plugins, PluginKind::archive, file)) {
        const Archive archive(*extractor, file);
        const size_t count = archive.members().size();
        std::printf("%s: %s archive (%s), %s%zu member%s\n", name.c_str(),
                    extractor->formatName().c_str(), extractor->name().c_str(),
                    layoutOf(*extractor, file).c_str(), count, count == 1 ? "" : "s");
        return;
    }
    throw Failure(name, "no plug-in recognises this file");
}

}  // namespace

int runInfo(const Session& session, const std::vector<std::string>& files) {
    int status = 0;
    for (const std::string& file : files) {
        try {
            describe(session, file);
        } catch (const std::exception& failure) {
            reportFailure(failure);
            status = 1;
        }
    }
    return status;
}

}  // namespace vantor::host
