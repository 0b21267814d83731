// Archive member names come from untrusted files: before one becomes a file
// name in the output folder it must name a file inside that folder.
#pragma once

#include <string>

namespace vantor::host {

// False for names that are empty, "." or "..", or that hold a path separator,
// a drive colon or a control character.
bool isSafeMemberFileName(const std::string& name);

}  // namespace vantor::host
