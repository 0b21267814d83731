#include "fuzz/targets/picture_filter_driver.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "fuzz/harness/invariant.h"
#include "fuzz/harness/loaded_plugin.h"
#include "fuzz/harness/scratch_folder.h"

namespace vantor::fuzz {

namespace {

constexpr size_t kHeadBytes = 2048;

struct PictureExports {
    explicit PictureExports(const char* name) : plugin(name) {}
    LoadedPlugin plugin;
    IsSupportedFn isSupported = plugin.get<IsSupportedFn>("IsSupported");
    GetPictureInfoFn getPictureInfo = plugin.get<GetPictureInfoFn>("GetPictureInfo");
    GetPictureFn getPicture = plugin.get<GetPictureFn>("GetPicture");
    GetPreviewFn getPreview = plugin.get<GetPreviewFn>("GetPreview");
};

// What one way of giving the input (memory or file) got back.
struct Answers {
    int recognised;
    int summarised;
    PictureInfoRecord record;
    int decoded;
};

uint32_t le32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t{p[3]} << 24; }

// One input in four is also given as a file, chosen by its content so that a
// replay takes the same paths.
bool alsoAsFile(const uint8_t* data, size_t size) {
    uint32_t hash = 2166136261u;
    for (size_t i = 0; i < size; ++i) hash = (hash ^ data[i]) * 16777619u;
    return (hash >> 7) % 4 == 0;
}

void checkPicture(const PictureExports& exports, const PictureFormat& format,
                  const AnnouncedPicture& announced, const std::vector<uint8_t>& produced,
                  const uint8_t* data, size_t size, HLOCAL info, HLOCAL pixels) {
    const LoadedPlugin& plugin = exports.plugin;
    FUZZ_REQUIRE(plugin.size(info) == format.infoBlockBytes);
    FUZZ_REQUIRE(plugin.size(pixels) == announced.pixelBlockBytes);

    const auto* header = static_cast<const uint8_t*>(plugin.lock(info));
    FUZZ_REQUIRE(header != nullptr);
    FUZZ_REQUIRE(le32(header) == 40);
    FUZZ_REQUIRE(static_cast<int32_t>(le32(header + 4)) == announced.width);
    FUZZ_REQUIRE(static_cast<int32_t>(le32(header + 8)) == announced.height);
    FUZZ_REQUIRE((header[14] | header[15] << 8) == format.bitCount);
    FUZZ_REQUIRE(format.paletteMatches(header, data, size));
    plugin.unlock(info);

    const auto* bytes = static_cast<const uint8_t*>(plugin.lock(pixels));
    FUZZ_REQUIRE(bytes != nullptr);
    for (size_t i = 0; i < produced.size(); ++i) {
        const size_t at = format.pixelOffset(announced, i);
        FUZZ_REQUIRE(at < announced.pixelBlockBytes);
        FUZZ_REQUIRE(bytes[at] == produced[i]);
    }
    plugin.unlock(pixels);
}

// GetPicture succeeds exactly when the header is sound and the stream
// produces the whole picture; it hands out both blocks or neither.
int decodeAndCheck(const PictureExports& exports, const PictureFormat& format,
                   const AnnouncedPicture& announced, const std::vector<uint8_t>& produced,
                   const uint8_t* data, size_t size, const char* buf, intptr_t len, unsigned flag) {
    const auto untouched = reinterpret_cast<HLOCAL>(0x1);
    HLOCAL info = untouched;
    HLOCAL pixels = untouched;
    // A header may claim gigabytes; from memory, a picture the stream cannot
    // possibly fill (a two-byte reference yields at most 18 bytes) is refused
    // before any block is allocated for it.
    const bool cannotFill = flag == VANTOR_INPUT_MEMORY && announced.valid &&
                            size >= announced.streamOffset &&
                            announced.producedBytes > 9 * (size - announced.streamOffset);
    if (cannotFill) exports.plugin.failAllocationAfter(0);
    const int result = exports.getPicture(buf, len, flag, &info, &pixels, nullptr, 0);
    if (cannotFill) {
        FUZZ_REQUIRE(!exports.plugin.allocationFailureHappened());
        exports.plugin.failAllocationAfter(-1);
    }
    const bool complete = announced.valid && size >= announced.streamOffset &&
                          produced.size() == announced.producedBytes;
    FUZZ_REQUIRE(result == (complete ? VANTOR_OK : VANTOR_FAILED));
    if (result != VANTOR_OK) {
        FUZZ_REQUIRE(info == untouched && pixels == untouched);
        return result;
    }
    checkPicture(exports, format, announced, produced, data, size, info, pixels);
    exports.plugin.release(info);
    exports.plugin.release(pixels);
    return result;
}

void checkSummary(const PictureFormat& format, const AnnouncedPicture& announced, size_t size,
                  int result, const PictureInfoRecord& record) {
    const bool describable = size >= format.summaryBytes && announced.valid;
    FUZZ_REQUIRE(result == (describable ? VANTOR_OK : VANTOR_FAILED));
    if (result != VANTOR_OK) return;
    FUZZ_REQUIRE(record.left == announced.left && record.top == announced.top);
    FUZZ_REQUIRE(record.width == announced.width && record.height == announced.height);
    FUZZ_REQUIRE(record.colorDepth == format.bitCount);
    FUZZ_REQUIRE(record.textInfo == 0);
}

Answers fromMemory(const PictureExports& exports, const PictureFormat& format,
                   const AnnouncedPicture& announced, const std::vector<uint8_t>& produced,
                   const uint8_t* data, size_t size) {
    Answers answers{};
    std::vector<uint8_t> head(kHeadBytes, 0);
    std::copy_n(data, std::min(size, head.size()), head.begin());
    answers.recognised = exports.isSupported("picture", reinterpret_cast<uintptr_t>(head.data()));

    const auto* buf = reinterpret_cast<const char*>(data);
    const auto len = static_cast<intptr_t>(size);
    answers.summarised = exports.getPictureInfo(buf, len, VANTOR_INPUT_MEMORY, &answers.record);
    checkSummary(format, announced, size, answers.summarised, answers.record);
    answers.decoded = decodeAndCheck(exports, format, announced, produced, data, size, buf, len,
                                     VANTOR_INPUT_MEMORY);

    HLOCAL info = nullptr, pixels = nullptr;
    FUZZ_REQUIRE(exports.getPreview(buf, len, VANTOR_INPUT_MEMORY, &info, &pixels, nullptr, 0) ==
                 VANTOR_FAILED);
    FUZZ_REQUIRE(info == nullptr && pixels == nullptr);
    return answers;
}

Answers fromFile(const PictureExports& exports, const PictureFormat& format,
                 const AnnouncedPicture& announced, const std::vector<uint8_t>& produced,
                 const uint8_t* data, size_t size) {
    static const ScratchFolder scratch;
    const std::string path = scratch.write("picture", data, size);
    Answers answers{};
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    FUZZ_REQUIRE(fd >= 0);
    answers.recognised = exports.isSupported(path.c_str(), static_cast<uintptr_t>(fd));
    close(fd);
    answers.summarised =
        exports.getPictureInfo(path.c_str(), 0, VANTOR_INPUT_FILE, &answers.record);
    checkSummary(format, announced, size, answers.summarised, answers.record);
    answers.decoded = decodeAndCheck(exports, format, announced, produced, data, size, path.c_str(),
                                     0, VANTOR_INPUT_FILE);
    return answers;
}

}  // namespace

void fuzzPictureFilter(const PictureFormat& format, const uint8_t* data, size_t size) {
    static const PictureExports exports(format.plugin);
    const long liveBefore = exports.plugin.liveBlocks();

    std::vector<uint8_t> header(format.summaryBytes, 0);
    std::copy_n(data, std::min(size, header.size()), header.begin());
    const AnnouncedPicture announced = format.announce(header.data());
    std::vector<uint8_t> produced;
    if (announced.valid && size >= announced.streamOffset) {
        produced = referenceDecode(data + announced.streamOffset, size - announced.streamOffset,
                                   format.hooks, announced.producedBytes);
    }

    const Answers memory = fromMemory(exports, format, announced, produced, data, size);
    const bool magic = size >= format.magic.size() &&
                       std::memcmp(data, format.magic.data(), format.magic.size()) == 0;
    FUZZ_REQUIRE(memory.recognised == (magic ? VANTOR_SUPPORTED : VANTOR_NOT_SUPPORTED));

    if (alsoAsFile(data, size)) {
        const Answers file = fromFile(exports, format, announced, produced, data, size);
        FUZZ_REQUIRE(file.recognised == memory.recognised);
        FUZZ_REQUIRE(file.summarised == memory.summarised);
        FUZZ_REQUIRE(std::memcmp(&file.record, &memory.record, sizeof file.record) == 0);
        FUZZ_REQUIRE(file.decoded == memory.decoded);
    }
    // Every block the calls obtained was released or handed out and freed.
    FUZZ_REQUIRE(exports.plugin.liveBlocks() == liveBefore);
}

}  // namespace vantor::fuzz
