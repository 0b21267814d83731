#include <cstdio>

#include "host/bmp_codec.h"
#include "host/commands/commands.h"
#include "host/failure.h"
#include "host/ordered_tasks.h"
#include "host/output_file.h"
#include "host/picture.h"
#include "host/png_codec.h"
#include "host/progress.h"
#include "host/recognition.h"

namespace vantor::host {

namespace {

// One picture and -o FILE: that file. Otherwise each output goes into the -o
// folder, or beside its input, named after it.
std::filesystem::path targetFor(const ConvertOptions& options, const std::filesystem::path& input) {
    const std::string extension = "." + options.format;
    std::filesystem::path named = input.filename();
    named.replace_extension(extension);
    if (options.output.empty()) return input.parent_path() / named;
    const std::filesystem::path output = options.output;
    if (options.pictures.size() == 1 && !std::filesystem::is_directory(output)) return output;
    return output / named;
}

// Recognition, decoding and encoding, on a worker thread; writing the file
// and reporting it are left to the calling thread, in the order of the inputs.
OrderedTasks::Finish convert(const Session& session, const ConvertOptions& options,
                             const std::filesystem::path& input, Progress& progress) {
    const Plugin& filter = requirePictureFilter(session.plugins, input);
    std::filesystem::path target = targetFor(options, input);
    checkWritable(target, options.force);
    const Picture picture = decodePictureFile(filter, input);
    std::vector<uint8_t> bytes =
        options.format == "bmp" ? encodeBmp(picture) : encodePng(picture, options.pngLevel);
    return [&options, &progress, target = std::move(target), bytes = std::move(bytes)] {
        writeOutputFile(target, bytes, options.force);
        progress.report(target.string());
    };
}

}  // namespace

int runConvert(const Session& session, const ConvertOptions& options) {
    if (options.pictures.size() > 1 && !options.output.empty()) {
        std::error_code error;
        std::filesystem::create_directories(options.output, error);
        if (error || !std::filesystem::is_directory(options.output)) {
            throw Failure(options.output, "cannot be the output folder for several pictures");
        }
    }
    Progress progress("converting", options.pictures.size());
    int status = 0;
    OrderedTasks tasks(options.jobs, [&](const std::exception& failure) {
        reportFailure(failure);
        status = 1;
    });
    for (const std::string& input : options.pictures) {
        progress.next(input);
        tasks.add([&, input] { return convert(session, options, input, progress); });
    }
    tasks.finishAll();
    return status;
}

}  // namespace vantor::host
