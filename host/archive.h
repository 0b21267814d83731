// An archive read through an archive extractor, in the order its calls
// require: recognise, list, then for each member look it up and extract it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "host/plugin.h"

namespace vantor::host {

struct ArchiveMember {
    std::string name;
    uint32_t position = 0;
    uint32_t size = 0;
};

class Archive {
public:
    // Recognises the file with the plug-in (IsSupported on an open handle),
    // which fixes the plug-in's idea of the layout, and lists the members.
    Archive(const Plugin& plugin, const std::filesystem::path& file);

    const Plugin& plugin() const { return plugin_; }
    const std::filesystem::path& file() const { return file_; }
    const std::vector<ArchiveMember>& members() const { return members_; }

    // GetFileInfo then GetFile with memory output.
    std::vector<uint8_t> extractToMemory(const ArchiveMember& member) const;

    // GetFileInfo then GetFile with file output: the plug-in writes
    // folder/NAME itself.
    void extractToFolder(const ArchiveMember& member, const std::filesystem::path& folder) const;

    // "ARCHIVE: MEMBER" for messages, the member name made printable.
    std::string describe(const ArchiveMember& member) const;

private:
    // GetFileInfo: makes `member` the one GetFile extracts.
    FileInfoRecord lookUp(const ArchiveMember& member) const;

    const Plugin& plugin_;
    std::filesystem::path file_;
    uintmax_t fileSize_ = 0;
    std::vector<ArchiveMember> members_;
};

}  // namespace vantor::host
