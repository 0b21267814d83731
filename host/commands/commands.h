// The vantor commands. Each takes its parsed options, does its job through
// the loaded plug-ins, and answers the exit status; problems with one input
// are reported as they happen and make the status non-zero.
#pragma once

#include <string>
#include <vector>

#include "host/plugin.h"

namespace vantor::host {

struct Session {
    std::vector<Plugin> plugins;
    std::vector<std::string> skipped;
};

// Loads the plug-ins of the folder the option, the environment or the
// installation names; fails when there are none.
Session openSession(const std::string& pluginDirOption);

int runPlugins(const Session& session);

int runInfo(const Session& session, const std::vector<std::string>& files);

struct ListOptions {
    std::string archive;
    bool json = false;
};
int runList(const Session& session, const ListOptions& options);

// How extract writes the members a picture filter recognises.
enum class PictureOutput { asStored, png, bmp };

struct ExtractOptions {
    std::string archive;
    std::vector<std::string> members;  // empty: all
    std::string outputDir = ".";
    PictureOutput pictures = PictureOutput::asStored;
    int pngLevel = 6;
    bool force = false;
    // Pictures decoded and encoded at once; the archive's own calls stay on
    // one thread, in order.
    unsigned jobs = 1;
};
int runExtract(const Session& session, const ExtractOptions& options);

struct ConvertOptions {
    std::vector<std::string> pictures;
    std::string output;  // a file for one picture, else a folder; empty: beside each input
    std::string format = VANTOR_HAVE_PNG ? "png" : "bmp";
    int pngLevel = 6;
    bool force = false;
    unsigned jobs = 1;  // pictures converted at once
};
int runConvert(const Session& session, const ConvertOptions& options);

struct EncodeOptions {
    std::string image;
    std::string output;
    std::string scan = "rows";
    unsigned left = 0;
    unsigned top = 0;
    bool force = false;
    bool fast = false;  // the lazy parse instead of the smallest stream
};
int runEncode(const EncodeOptions& options);

struct PackOptions {
    std::vector<std::string> files;
    std::string output;
    bool plain = false;
    bool force = false;
};
int runPack(const PackOptions& options);

// Reports one failure as "vantor: FILE: problem" on stderr.
void reportFailure(const std::exception& failure);

}  // namespace vantor::host
