#include <cstdio>
#include <random>
#include <set>

#include "host/archive.h"
#include "host/bmp_codec.h"
#include "host/commands/commands.h"
#include "host/failure.h"
#include "host/member_file_name.h"
#include "host/ordered_tasks.h"
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
        if (!found) {
            throw Failure(archive.file().string() + ": " + printableMemberName(name),
                          "no such member");
        }
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

    // The archive's calls happen here, on the calling thread and in order;
    // the task returned decodes and encodes a picture on a worker thread.
    // Whatever fails becomes a task that fails, so that it is reported in
    // order too.
    OrderedTasks::Task prepare(const ArchiveMember& member) {
        try {
            if (!isSafeMemberFileName(member.name)) {
                throw Failure(archive_.describe(member), "unsafe member name, not extracted");
            }
            if (options_.pictures == PictureOutput::asStored) return extractAsStored(member);
            std::vector<uint8_t> bytes = archive_.extractToMemory(member);
            const Plugin* filter =
                recogniseBytes(session_.plugins, PluginKind::picture, member.name, bytes);
            if (filter == nullptr) {
                return [this, target = folder_ / member.name, bytes = std::move(bytes)] {
                    return writeLater(target, bytes);
                };
            }
            return [this, filter, label = archive_.describe(member),
                    target = folder_ / pictureName(member), bytes = std::move(bytes)] {
                const Picture picture = decodePictureBytes(*filter, bytes, label);
                return writeLater(target, options_.pictures == PictureOutput::png
                                              ? encodePng(picture, options_.pngLevel)
                                              : encodeBmp(picture));
            };
        } catch (...) {
            return [failure = std::current_exception()]() -> OrderedTasks::Finish {
                std::rethrow_exception(failure);
            };
        }
    }

private:
    // Run on the calling thread: with stored members nothing runs on workers.
    OrderedTasks::Task extractAsStored(const ArchiveMember& member) {
        const auto target = folder_ / member.name;
        archive_.extractToFolder(member, staging_.path());
        moveIntoPlace(staging_.path() / member.name, target, options_.force);
        return [this, target] { return OrderedTasks::Finish([this, target] { report(target); }); };
    }

    // TITLE.LFG becomes TITLE.png, unless another member took that name.
    std::string pictureName(const ArchiveMember& member) {
        const std::string extension = options_.pictures == PictureOutput::png ? ".png" : ".bmp";
        std::string name = std::filesystem::path(member.name).stem().string() + extension;
        if (!pictureNames_.insert(name).second) name = member.name + extension;
        return name;
    }

    OrderedTasks::Finish writeLater(const std::filesystem::path& target,
                                    std::vector<uint8_t> bytes) {
        return [this, target, bytes = std::move(bytes)] {
            writeOutputFile(target, bytes, options_.force);
            report(target);
        };
    }

    void report(const std::filesystem::path& target) { progress_.report(target.string()); }

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
    const bool decodesPictures = options.pictures != PictureOutput::asStored;
    OrderedTasks tasks(decodesPictures ? options.jobs : 1, [&](const std::exception& failure) {
        reportFailure(failure);
        status = 1;
    });
    for (const ArchiveMember& member : members) {
        progress.next(member.name);
        tasks.add(extraction.prepare(member));
    }
    tasks.finishAll();
    return status;
}

}  // namespace vantor::host
