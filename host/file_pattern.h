// The file patterns plug-ins announce ("*.LFG", "*.lf2"), matched as a
// Windows viewer matches them: without regard to case, several patterns
// separated by ';'.
#pragma once

#include <string_view>

namespace vantor::host {

bool matchesFilePattern(std::string_view patterns, std::string_view fileName);

}  // namespace vantor::host
