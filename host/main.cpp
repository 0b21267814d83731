// vantor: a command-line host for the picture and archive plug-ins.
#include <CLI/CLI.hpp>

#include <cstdio>

#include "host/commands/commands.h"
#include "host/ordered_tasks.h"

using namespace vantor::host;

int main(int argc, char** argv) {
    CLI::App app{
        "vantor: open the game's PAK archives and LFG and LF2 pictures through their "
        "plug-ins, and make new ones"};
    app.set_version_flag("--version", "vantor " VANTOR_VERSION);
    app.require_subcommand(1);
    // Paths, not options, start with a slash, also on Windows.
    app.allow_windows_style_options(false);
    app.fallthrough();

    std::string pluginDir;
    app.add_option("--plugin-dir", pluginDir,
                   "Folder of plug-ins (default: $VANTOR_PLUGIN_DIR, else the installed folder)");

    CLI::App* plugins = app.add_subcommand("plugins", "List the loaded plug-ins and their strings");

    std::vector<std::string> infoFiles;
    CLI::App* info = app.add_subcommand("info", "Describe pictures and archives");
    info->add_option("FILE", infoFiles, "Pictures or archives")->required();

    ListOptions list;
    CLI::App* listCommand = app.add_subcommand("list", "List the members of an archive");
    listCommand->add_option("ARCHIVE", list.archive, "The archive")->required();
    listCommand->add_flag("--json", list.json, "Print JSON instead of a table");

    ExtractOptions extract;
    CLI::App* extractCommand = app.add_subcommand("extract", "Extract members of an archive");
    extractCommand->add_option("ARCHIVE", extract.archive, "The archive")->required();
    extractCommand->add_option("MEMBER", extract.members, "Members to extract (default: all)");
    extractCommand->add_option("-o,--output", extract.outputDir, "Output folder (default: .)");
    bool extractPng = false, extractBmp = false;
    CLI::Option* pngFlag =
        extractCommand->add_flag("--png", extractPng, "Write pictures as indexed PNG files");
    extractCommand->add_flag("--bmp", extractBmp, "Write pictures as BMP files")->excludes(pngFlag);
    extractCommand->add_option("--png-level", extract.pngLevel, "PNG compression level, 0 to 9")
        ->check(CLI::Range(0, 9));
    extractCommand->add_flag("-f,--force", extract.force, "Replace existing files");
    extract.jobs = defaultJobs();
    extractCommand->add_option("-j,--jobs", extract.jobs, "Pictures decoded and written at once")
        ->capture_default_str()
        ->check(CLI::PositiveNumber);

    ConvertOptions convert;
    CLI::App* convertCommand = app.add_subcommand("convert", "Convert pictures to PNG or BMP");
    convertCommand->add_option("PICTURE", convert.pictures, "LFG or LF2 pictures")->required();
    convertCommand->add_option("-o,--output", convert.output,
                               "Output file for one picture, or output folder (default: beside "
                               "each picture)");
    convertCommand->add_option("--format", convert.format, "png (indexed) or bmp")
        ->check(CLI::IsMember({"png", "bmp"}));
    convertCommand->add_option("--png-level", convert.pngLevel, "PNG compression level, 0 to 9")
        ->check(CLI::Range(0, 9));
    convertCommand->add_flag("-f,--force", convert.force, "Replace existing files");
    convert.jobs = defaultJobs();
    convertCommand->add_option("-j,--jobs", convert.jobs, "Pictures converted at once")
        ->capture_default_str()
        ->check(CLI::PositiveNumber);

    EncodeOptions encode;
    CLI::App* encodeCommand =
        app.add_subcommand("encode", "Make an LFG or LF2 picture from an indexed PNG");
    encodeCommand->add_option("IMAGE", encode.image, "Indexed (palette) PNG")->required();
    encodeCommand->add_option("-o,--output", encode.output, "OUT.lfg or OUT.lf2")->required();
    encodeCommand->add_option("--scan", encode.scan, "LFG scan order: rows or columns")
        ->check(CLI::IsMember({"rows", "columns"}));
    encodeCommand->add_option("--left", encode.left, "Horizontal position (LFG: a multiple of 8)");
    encodeCommand->add_option("--top", encode.top, "Vertical position");
    encodeCommand->add_flag("-f,--force", encode.force, "Replace an existing file");
    encodeCommand->add_flag("--fast", encode.fast,
                            "Quicker lazy matching instead of the smallest stream");

    PackOptions pack;
    CLI::App* packCommand = app.add_subcommand("pack", "Make a PAK archive from files");
    packCommand->add_option("FILE", pack.files, "Member files, in archive order")->required();
    packCommand->add_option("-o,--output", pack.output, "The archive to write")->required();
    packCommand->add_flag("--plain", pack.plain, "Plain layout (default: scrambled)");
    packCommand->add_flag("-f,--force", pack.force, "Replace an existing file");

#if !VANTOR_HAVE_PNG
    app.footer(
        "This build has no PNG library: pictures are written as BMP (convert --format bmp, "
        "extract --bmp); PNG output and encode are not available.");
#endif

    CLI11_PARSE(app, argc, argv);
    if (extractPng) extract.pictures = PictureOutput::png;
    if (extractBmp) extract.pictures = PictureOutput::bmp;

    try {
        if (encodeCommand->parsed()) return runEncode(encode);
        if (packCommand->parsed()) return runPack(pack);
        const Session session = openSession(pluginDir);
        if (plugins->parsed()) return runPlugins(session);
        if (info->parsed()) return runInfo(session, infoFiles);
        if (listCommand->parsed()) return runList(session, list);
        if (extractCommand->parsed()) return runExtract(session, extract);
        if (convertCommand->parsed()) return runConvert(session, convert);
    } catch (const std::exception& failure) {
        reportFailure(failure);
    }
    return 1;
}
