#include "host/archive.h"

#include <cstring>

#include "host/failure.h"
#include "host/handed_block.h"
#include "host/member_file_name.h"
#include "host/recognition.h"

namespace vantor::host {

namespace {

std::string recordName(const FileInfoRecord& record) {
    return std::string(record.fileName, strnlen(record.fileName, sizeof record.fileName));
}

}  // namespace

Archive::Archive(const Plugin& plugin, const std::filesystem::path& file)
    : plugin_(plugin), file_(file) {
    const std::string path = file.string();
    std::error_code error;
    fileSize_ = std::filesystem::file_size(file, error);
    if (error) throw Failure(path, "cannot read: " + error.message());
    if (!fileIsSupported(plugin, file)) {
        throw Failure(path, "not an archive " + plugin.name() + " can read");
    }

    HLOCAL listingHandle = nullptr;
    const int result = plugin.getArchiveInfo(path.c_str(), 0, VANTOR_INPUT_FILE, &listingHandle);
    HandedBlock listing(plugin.blocks, result == 0 ? listingHandle : nullptr);
    if (result != 0) throw Failure(path, "corrupt " + plugin.formatName() + " archive");

    // Records until one that starts with a zero byte, or the block's end.
    const auto bytes = listing.bytes();
    for (size_t at = 0; at + sizeof(FileInfoRecord) <= bytes.size(); at += sizeof(FileInfoRecord)) {
        FileInfoRecord record;
        std::memcpy(&record, bytes.data() + at, sizeof record);
        if (record.method[0] == '\0') break;
        members_.push_back(ArchiveMember{recordName(record), record.position, record.size});
    }
}

std::string Archive::describe(const ArchiveMember& member) const {
    return file_.string() + ": " + printableMemberName(member.name);
}

FileInfoRecord Archive::lookUp(const ArchiveMember& member) const {
    if (uint64_t{member.position} + member.size > fileSize_) {
        throw Failure(describe(member), "runs past the end of the archive");
    }
    FileInfoRecord record{};
    const std::string path = file_.string();
    if (plugin_.getFileInfo(path.c_str(), 0, member.name.c_str(), VANTOR_INPUT_FILE, &record) !=
            0 ||
        recordName(record) != member.name) {
        throw Failure(describe(member), "the archive plug-in cannot find this member");
    }
    if (record.position != member.position) {
        throw Failure(describe(member), "an earlier member has the same name");
    }
    return record;
}

std::vector<uint8_t> Archive::extractToMemory(const ArchiveMember& member) const {
    const FileInfoRecord record = lookUp(member);
    HLOCAL handle = nullptr;
    const std::string path = file_.string();
    const int result =
        plugin_.getFile(path.c_str(), record.position, reinterpret_cast<char*>(&handle),
                        VANTOR_INPUT_FILE | VANTOR_OUTPUT_MEMORY, nullptr, 0);
    HandedBlock block(plugin_.blocks, result == 0 ? handle : nullptr);
    if (result != 0) throw Failure(describe(member), "the archive plug-in could not extract it");
    if (block.bytes().size() != member.size) {
        throw Failure(describe(member), "the archive plug-in handed back the wrong size");
    }
    return std::vector<uint8_t>(block.bytes().begin(), block.bytes().end());
}

void Archive::extractToFolder(const ArchiveMember& member,
                              const std::filesystem::path& folder) const {
    const FileInfoRecord record = lookUp(member);
    // The plug-in joins the folder and the name as they are: the folder must
    // end with a separator.
    std::string destination = (folder / "").string();
    const std::string path = file_.string();
    if (plugin_.getFile(path.c_str(), record.position, destination.data(), VANTOR_INPUT_FILE,
                        nullptr, 0) != 0) {
        throw Failure(describe(member), "the archive plug-in could not extract it");
    }
}

}  // namespace vantor::host
