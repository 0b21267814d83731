// Test-only controls of the POSIX platform library: a LocalAlloc that fails on
// demand and a count of live blocks. Tests and fuzz targets use them to prove
// that every call, on every path, returns -1 when memory runs out and releases
// whatever it had obtained. Plug-ins never call them, and the Windows build
// has no such functions.
#pragma once

#include "frame/platform.h"

#if !defined(_WIN32)

extern "C" {

// The next n LocalAlloc calls succeed and the one after them fails, once;
// later calls succeed again. A negative n disarms the failure.
VANTOR_PLATFORM_API void VantorFailAllocationAfter(int n);

// Non-zero once the failure armed by the last VantorFailAllocationAfter has
// happened.
VANTOR_PLATFORM_API int VantorAllocationFailureHappened();

// Blocks allocated by LocalAlloc and not yet released by LocalFree.
VANTOR_PLATFORM_API long VantorLiveBlockCount();

}  // extern "C"

// The same functions as pointer types, for hosts that find them through a
// plug-in's handle.
using VantorFailAllocationAfterFn = decltype(&VantorFailAllocationAfter);
using VantorAllocationFailureHappenedFn = decltype(&VantorAllocationFailureHappened);
using VantorLiveBlockCountFn = decltype(&VantorLiveBlockCount);

#endif
