// Where GetFile writes a member: the host's folder joined with the member's
// name. Names come from the archive, so they are never trusted to stay inside
// the folder.
#pragma once

#include "frame/status.h"

namespace vantor::pak {

constexpr size_t kPathBytes = 200;

// False for a name that is empty, holds '/', '\\' or ':', or is made only of
// dots and spaces ("." and ".." among them; Windows drops trailing dots and
// spaces, so ". ." names the folder itself too).
bool isSafeMemberName(const char* name, size_t nameBytes);

// path = folder followed directly by name: the host's folder already ends
// with its separator. unsafeName for a name that could leave the folder,
// tooLarge for a joined path of kPathBytes characters or more.
Status joinExtractionPath(const char* folder, const char* name, size_t nameBytes,
                          char (&path)[kPathBytes]);

}  // namespace vantor::pak
