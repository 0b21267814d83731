// Why a plug-in call failed. The interface reports every failure as -1; the
// narrow codes are for tests and for reading the code. toResult is the one
// place where a status becomes an interface result.
#pragma once

#include "frame/plugin_api.h"

namespace vantor {

enum class Status {
    ok,
    badArgument,      // a null pointer or a value the call cannot take
    cannotOpen,       // the file cannot be opened or created
    cannotWrite,      // fewer bytes written than asked
    shortInput,       // the file or memory ends inside a header or directory
    badGeometry,      // zero, negative or overflowing picture dimensions
    tooLarge,         // beyond a limit of the code
    truncatedStream,  // the compressed stream ends before the picture is complete
    outOfMemory,
    unsafeName,  // a member name that would leave the destination folder
};

constexpr int toResult(Status status) { return status == Status::ok ? VANTOR_OK : VANTOR_FAILED; }

}  // namespace vantor
