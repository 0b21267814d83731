#include "tests/robustness/plugin_call.h"

namespace vantor::test {

CallOutcome takePicture(const LoadedPlugin& plugin, GetPictureFn getPicture, const char* buf,
                        intptr_t len, unsigned flag) {
    const auto untouched = reinterpret_cast<HLOCAL>(0x1);
    HLOCAL info = untouched;
    HLOCAL pixels = untouched;
    const int result = getPicture(buf, len, flag, &info, &pixels, nullptr, 0);
    const bool handedOut = info != untouched || pixels != untouched;
    if (info != untouched) plugin.take(info);
    if (pixels != untouched) plugin.take(pixels);
    return {result, handedOut};
}

}  // namespace vantor::test
