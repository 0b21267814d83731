#include <cstdio>
#include <string>

#include "host/archive.h"
#include "host/commands/commands.h"
#include "host/failure.h"
#include "host/member_file_name.h"
#include "host/recognition.h"

namespace vantor::host {

namespace {

// Member names are bytes from the archive: anything outside printable ASCII
// is escaped, bytes of 0x80 and above as the Latin-1 characters they are.
std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c >= 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

void printJson(const Archive& archive) {
    std::printf("{\"archive\": %s, \"format\": %s, \"members\": [",
                jsonString(archive.file().string()).c_str(),
                jsonString(archive.plugin().formatName()).c_str());
    const char* separator = "\n";
    for (const ArchiveMember& m : archive.members()) {
        std::printf("%s  {\"name\": %s, \"position\": %u, \"size\": %u}", separator,
                    jsonString(m.name).c_str(), m.position, m.size);
        separator = ",\n";
    }
    std::printf("\n]}\n");
}

void printTable(const Archive& archive) {
    std::printf("%-16s %10s %10s\n", "NAME", "POSITION", "SIZE");
    for (const ArchiveMember& m : archive.members()) {
        std::printf("%-16s %10u %10u\n", printableMemberName(m.name).c_str(), m.position, m.size);
    }
    std::printf("%zu members\n", archive.members().size());
}

}  // namespace

int runList(const Session& session, const ListOptions& options) {
    const Archive archive(requireArchiveExtractor(session.plugins, options.archive),
                          options.archive);
    if (options.json) {
        printJson(archive);
    } else {
        printTable(archive);
    }
    return 0;
}

}  // namespace vantor::host
