// What kavrel remembers between calls. There is one per loaded plug-in, all
// zero at load and guarded by no lock: hosts call IsSupported, then
// GetArchiveInfo or GetFileInfo, then GetFileInfo, then GetFile, one call at a
// time, and each step relies on what the earlier ones left here.
#pragma once

#include "frame/plugin_api.h"
#include "pak/archive_key.h"
#include "pak/extraction_path.h"

namespace vantor::pak {

struct ArchiveState {
    bool plain;                   // the layout the last recognition call found
    ArchiveKey key;               // of the last scrambled archive listed
    FileInfoRecord lastRecord;    // of the last lookup; all zero when it missed
    char pathBuffer[kPathBytes];  // the last extraction's target file
};

}  // namespace vantor::pak
