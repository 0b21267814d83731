#include "frame/recognition_head.h"

#include "frame/platform.h"

namespace vantor {

Head obtainHead(uintptr_t dw, HeadStart start, uint8_t (&buffer)[kHeadBytes]) {
    if (dw >= kFirstHeadAddress) return Head{reinterpret_cast<const uint8_t*>(dw), kHeadBytes};

    __builtin_memset(buffer, 0, sizeof buffer);
    auto file = static_cast<HFILE>(dw);
    if (start == HeadStart::fileStart) _llseek(file, 0, 0);
    UINT got = _lread(file, buffer, kHeadBytes);
    if (got == static_cast<UINT>(HFILE_ERROR)) got = 0;
    return Head{buffer, got};
}

}  // namespace vantor
