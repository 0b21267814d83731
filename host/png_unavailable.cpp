// The PNG calls of a build without a PNG library (the Windows build): every
// one refuses, pointing the user to BMP.
#include "host/failure.h"
#include "host/png_codec.h"

namespace vantor::host {

namespace {

[[noreturn]] void unavailable(const std::string& name) {
    throw Failure(name, "PNG is not available in this build; use BMP (--format bmp, --bmp)");
}

}  // namespace

std::vector<uint8_t> encodePng(const Picture&, int) { unavailable("PNG encoder"); }

IndexedImage decodeIndexedPng(std::span<const uint8_t>, const std::string& name) {
    unavailable(name);
}

}  // namespace vantor::host
