// kavrel loaded and driven through its exports the way a host drives it:
// recognise, list or look up, look up, extract.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "frame/plugin_api.h"
#include "tests/support/loaded_plugin.h"

namespace vantor::test {

class KavrelHost {
public:
    LoadedPlugin plugin{"kavrel"};
    GetPluginInfoFn getPluginInfo = plugin.get<GetPluginInfoFn>("GetPluginInfo");
    IsSupportedFn isSupported = plugin.get<IsSupportedFn>("IsSupported");
    GetArchiveInfoFn getArchiveInfo = plugin.get<GetArchiveInfoFn>("GetArchiveInfo");
    GetFileInfoFn getFileInfo = plugin.get<GetFileInfoFn>("GetFileInfo");
    GetFileFn getFile = plugin.get<GetFileFn>("GetFile");

    // IsSupported on a head buffer holding the first 2048 bytes of file
    // (zero-padded), as a host that read them itself passes it.
    int recognise(std::span<const uint8_t> file) const;

    // GetArchiveInfo's records, end record excluded; nullopt when it fails.
    // Checks that the block holds exactly one all-zero record after them.
    std::optional<std::vector<FileInfoRecord>> list(const std::string& path, intptr_t len = 0,
                                                    unsigned flag = 0) const;

    // GetFileInfo's result; the record it filled goes to record.
    int lookUp(const std::string& path, const std::string& name, FileInfoRecord& record,
               unsigned flag = 0) const;

    // GetFile with file input and memory output; nullopt when it fails.
    std::optional<std::vector<uint8_t>> extract(const std::string& path, intptr_t position) const;

    // GetFile with file input and file output into folder.
    int extractInto(const std::string& path, intptr_t position, const std::string& folder) const;
};

std::string nameOf(const FileInfoRecord& record);

bool isAllZero(const FileInfoRecord& record);

}  // namespace vantor::test
