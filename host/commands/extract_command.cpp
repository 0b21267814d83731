#include <cstdio>
#include <random>
#include <set>

#include "host/archive.h"
#include "host/bmp_codec.h"
#include "host/commands/commands.h"
#include "host/failure.h"
#include "host/member_file_name.h"
#include "host/output_file.h"
#include "host/picture.h"
#include "host/png_codec.h"
#include "host/progress.h"
#include "host/recognition.h"

namespace vantor::host {

namespace {

// A private folder inside the output folder where the archive plug-in writes
// members; each is moved into place once complete, so a failed extraction
// leaves no partial file behind.
class StagingFolder {
public:
    explicit StagingFolder(const std::filesystem::path& parent) {
        std::mt19937_64 random{std::random_device{}()};
        for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
            auto candidate = parent / (".vantor-extract-" + std::to_string(random() % 1000000000));
            if (std::filesystem::create_directory(candidate)) path_ = candidate;
        }
        if (path_.empty()) throw Failure(parent.string(), "cannot create a working folder");
    }
    ~StagingFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    StagingFolder(const StagingFolder&) = delete;
    StagingFolder& operator=(const StagingFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

std::vector<ArchiveMember> selectMembers(const Archive& archive,
                                         const std::vector<std::string>& names) {
    if (names.empty()) return archive.members();
    std::vector<ArchiveMember> selected;
    for (const std::string& name : names) {
        bool found = false;
        for (const ArchiveMember& m : archive.members()) {
            if (m.name == name) {
                selected.push_back(m);
                found = true;
                break;
            }
        }
        if (!found) throw Failure(archive.file().string() + ": " + name, "no such member");
    }
    return selected;
}

class Extraction {
public:
    Extraction(const Session& session, const ExtractOptions& options, const Archive& archive,
               Progress& progress)
        : session_(session),
          options_(options),
          archive_(archive),
          progress_(progress),
          folder_(options.outputDir),
          staging_(folder_) {}

    void extract(const ArchiveMember& member) {
        if (!isSafeMemberFileName(member.name)) {
            throw Failure(archive_.file().string() + ": " + member.name,
                          "unsafe member name, not extracted");
        }
        if (options_.pictures != PictureOutput::asStored) {
            const std::vector<uint8_t> bytes = archive_.extractToMemory(member);
            if (const Plugin* filter =
                    recogniseBytes(session_.plugins, PluginKind::picture, member.name, bytes)) {
                writePicture(member, *filter, bytes);
            } else {
                write(folder_ / member.name, bytes);
            }
            return;
        }
        const auto target = folder_ / member.name;
        archive_.extractToFolder(member, staging_.path());
        moveIntoPlace(staging_.path() / member.name, target, options_.force);
        progress_.report(target.string());
    }

private:
    void writePicture(const ArchiveMember& member, const Plugin& filter,
                      const std::vector<uint8_t>& bytes) {
        const std::string label = archive_.file().string() + ": " + member.name;
        const Picture picture = decodePictureBytes(filter, bytes, label);
        const bool png = options_.pictures == PictureOutput::png;
        // TITLE.LFG becomes TITLE.png, unless another member took that name.
        const std::string extension = png ? ".png" : ".bmp";
        std::string name = std::filesystem::path(member.name).stem().string() + extension;
        if (!pictureNames_.insert(name).second) name = member.name + extension;
        write(folder_ / name, png ? encodePng(picture, options_.pngLevel) : encodeBmp(picture));
    }

    void write(const std::filesystem::path& target, const std::vector<uint8_t>& bytes) {
        writeOutputFile(target, bytes, options_.force);
        progress_.report(target.string());
    }

    const Session& session_;
    const ExtractOptions& options_;
    const Archive& archive_;
    Progress& progress_;
    std::filesystem::path folder_;
    StagingFolder staging_;
    std::set<std::string> pictureNames_;
};

}  // namespace

int runExtract(const Session& session, const ExtractOptions& options) {
    const Archive archive(requireArchiveExtractor(session.plugins, options.archive),
                          options.archive);
    const std::vector<ArchiveMember> members = selectMembers(archive, options.members);
    std::error_code error;
    std::filesystem::create_directories(options.outputDir, error);
    if (error) throw Failure(options.outputDir, "cannot create the folder: " + error.message());

    Progress progress("extracting", members.size());
    Extraction extraction(session, options, archive, progress);
    int status = 0;
    for (const ArchiveMember& member : members) {
        progress.next(member.name);
        try {
            extraction.extract(member);
        } catch (const std::exception& failure) {
            reportFailure(failure);
            status = 1;
        }
    }
    return status;
}

}  // namespace vantor::host
