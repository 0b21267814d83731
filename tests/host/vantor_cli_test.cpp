// vantor run as a user runs it, on files the authoring library makes.
#include <gtest/gtest.h>

#include <random>

#include "authoring/lf2_writer.h"
#include "authoring/lfg_writer.h"
#include "authoring/pak_writer.h"
#include "host/png_codec.h"
#include "tests/host/run_vantor.h"
#include "tests/support/temp_dir.h"

namespace vantor {
namespace {

using authoring::Lf2Image;
using authoring::LfgImage;
using authoring::PakMember;

LfgImage lfgPicture(uint32_t width, uint32_t height, authoring::ScanOrder scan, unsigned seed) {
    std::mt19937 random(seed);
    LfgImage image;
    for (auto& c : image.palette) {
        c = {static_cast<uint8_t>(random() % 16), static_cast<uint8_t>(random() % 16),
             static_cast<uint8_t>(random() % 16)};
    }
    image.width = width;
    image.height = height;
    image.scan = scan;
    for (uint32_t i = 0; i < width * height; ++i) {
        image.pixels.push_back(
            static_cast<uint8_t>(random() % 5 == 0 ? random() % 16 : i / 7 % 16));
    }
    return image;
}

Lf2Image lf2Picture(uint32_t width, uint32_t height, size_t colors, unsigned seed) {
    std::mt19937 random(seed);
    Lf2Image image;
    for (size_t i = 0; i < colors; ++i) {
        image.palette.push_back({static_cast<uint8_t>(random()), static_cast<uint8_t>(random()),
                                 static_cast<uint8_t>(random())});
    }
    image.width = width;
    image.height = height;
    for (uint32_t i = 0; i < width * height; ++i) {
        image.pixels.push_back(static_cast<uint8_t>(random() % colors));
    }
    return image;
}

std::vector<uint8_t> bytesOf(const std::string& text) { return {text.begin(), text.end()}; }

class VantorCli : public testing::Test {
protected:
    test::TempDir dir;

    test::Run run(const std::vector<std::string>& args, const std::vector<std::string>& env = {}) {
        return test::runVantor(args, dir.path(), env);
    }
    std::string write(const std::string& name, const std::vector<uint8_t>& bytes) {
        return dir.write(name, bytes);
    }
    std::vector<uint8_t> read(const std::string& name) { return test::readFile(dir.path() / name); }
    bool exists(const std::string& name) { return std::filesystem::exists(dir.path() / name); }

    host::IndexedImage readPng(const std::string& name) {
        return host::decodeIndexedPng(read(name), name);
    }

    void expectPngOf(const std::string& name, const LfgImage& image) {
        SCOPED_TRACE(name);
        const host::IndexedImage png = readPng(name);
        EXPECT_EQ(png.width, image.width);
        EXPECT_EQ(png.height, image.height);
        EXPECT_EQ(png.indices, image.pixels);
        ASSERT_EQ(png.palette.size(), 16u);
        for (int i = 0; i < 16; ++i) {
            const auto& c = image.palette[i];
            EXPECT_EQ(png.palette[i], (host::Rgb{uint8_t(c.red * 17), uint8_t(c.green * 17),
                                                 uint8_t(c.blue * 17)}));
        }
    }

    void expectPngOf(const std::string& name, const Lf2Image& image) {
        SCOPED_TRACE(name);
        const host::IndexedImage png = readPng(name);
        EXPECT_EQ(png.width, image.width);
        EXPECT_EQ(png.height, image.height);
        EXPECT_EQ(png.indices, image.pixels);
        ASSERT_EQ(png.palette.size(), image.palette.size());
        for (size_t i = 0; i < image.palette.size(); ++i) {
            const auto& c = image.palette[i];
            EXPECT_EQ(png.palette[i], (host::Rgb{c.red, c.green, c.blue}));
        }
    }
};

TEST_F(VantorCli, EncodePackListExtractReproducesIndicesAndPalettes) {
    const LfgImage rows = lfgPicture(64, 30, authoring::ScanOrder::rows, 1);
    const LfgImage columns = lfgPicture(40, 25, authoring::ScanOrder::columns, 2);
    const Lf2Image padded = lf2Picture(37, 20, 256, 3);
    const Lf2Image small = lf2Picture(12, 9, 5, 4);
    write("rows.lfg", authoring::writeLfg(rows));
    write("columns.lfg", authoring::writeLfg(columns));
    write("padded.lf2", authoring::writeLf2(padded));
    write("small.lf2", authoring::writeLf2(small));

    // Pictures to PNG, PNG back to pictures with the encoder, into an archive.
    ASSERT_EQ(run({"convert", "rows.lfg", "columns.lfg", "padded.lf2", "small.lf2"}).status, 0);
    const struct {
        const char* png;
        const char* out;
        const char* scan;
    } encodes[] = {{"rows.png", "TITLE.LFG", "rows"},
                   {"columns.png", "MAP.LFG", "columns"},
                   {"padded.png", "FACE.LF2", "rows"},
                   {"small.png", "ICON.LF2", "rows"}};
    // Five members: the plain layout (the scrambled one needs at least eleven).
    std::vector<std::string> pack = {"pack", "--plain", "-o", "game.pak"};
    for (const auto& e : encodes) {
        const auto encoded = run({"encode", e.png, "-o", e.out, "--scan", e.scan});
        ASSERT_EQ(encoded.status, 0) << encoded.err;
        pack.push_back(e.out);
    }
    write("notes.txt", bytesOf("not a picture\n"));
    pack.push_back("notes.txt");
    const auto packed = run(pack);
    ASSERT_EQ(packed.status, 0) << packed.err;

    const auto listed = run({"list", "game.pak"});
    ASSERT_EQ(listed.status, 0) << listed.err;
    for (const char* name : {"TITLE.LFG", "MAP.LFG", "FACE.LF2", "ICON.LF2", "notes.txt"}) {
        EXPECT_NE(listed.out.find(name), std::string::npos) << name;
    }

    const auto extracted = run({"extract", "game.pak", "-o", "out", "--png"});
    ASSERT_EQ(extracted.status, 0) << extracted.err;
    expectPngOf("out/TITLE.png", rows);
    expectPngOf("out/MAP.png", columns);
    expectPngOf("out/FACE.png", padded);
    expectPngOf("out/ICON.png", small);
    EXPECT_EQ(read("out/notes.txt"), bytesOf("not a picture\n"));
    EXPECT_FALSE(exists("out/TITLE.LFG")) << "pictures are written as PNG only";
}

class VantorArchives : public VantorCli, public testing::WithParamInterface<bool> {
protected:
    bool plain() const { return GetParam(); }

    // Twelve members: the scrambled layout needs at least eleven.
    std::vector<PakMember> members() const {
        std::vector<PakMember> m;
        std::mt19937 random(9);
        for (int i = 0; i < 12; ++i) {
            std::vector<uint8_t> bytes(random() % 3000);
            for (auto& b : bytes) b = static_cast<uint8_t>(random());
            m.push_back({"MEMBER" + std::to_string(10 + i) + ".BIN", bytes});
        }
        return m;
    }

    std::vector<uint8_t> archive() const {
        return plain() ? authoring::writePlainPak(members())
                       : authoring::writeScrambledPak(members());
    }
};

TEST_P(VantorArchives, ListAndExtractGiveWhatWasPacked) {
    write("a.pak", archive());
    const auto json = run({"list", "a.pak", "--json"});
    ASSERT_EQ(json.status, 0) << json.err;
    for (const PakMember& m : members()) {
        const std::string entry = "{\"name\": \"" + m.name + "\", \"position\": ";
        const size_t at = json.out.find(entry);
        ASSERT_NE(at, std::string::npos) << m.name;
        const std::string size = "\"size\": " + std::to_string(m.bytes.size()) + "}";
        EXPECT_EQ(json.out.find(size, at), json.out.find('}', at) - size.size() + 1) << m.name;
    }

    const auto all = run({"extract", "a.pak", "-o", "all"});
    ASSERT_EQ(all.status, 0) << all.err;
    for (const PakMember& m : members()) EXPECT_EQ(read("all/" + m.name), m.bytes) << m.name;

    const auto some =
        run({"extract", "a.pak", "MEMBER13.BIN", "MEMBER20.BIN", "-o", "some", "--png"});
    ASSERT_EQ(some.status, 0) << some.err;
    EXPECT_EQ(read("some/MEMBER13.BIN"), members()[3].bytes);
    EXPECT_EQ(read("some/MEMBER20.BIN"), members()[10].bytes);
    EXPECT_FALSE(exists("some/MEMBER10.BIN"));

    const auto info = run({"info", "a.pak"});
    EXPECT_EQ(info.out, std::string("a.pak: PAK archive (kavrel), ") +
                            (plain() ? "plain" : "scrambled") + " layout, 12 members\n");
}

INSTANTIATE_TEST_SUITE_P(BothLayouts, VantorArchives, testing::Bool(),
                         [](const auto& info) { return info.param ? "plain" : "scrambled"; });

TEST_F(VantorCli, ConvertToBmpWritesTheFiltersDib) {
    const Lf2Image image = lf2Picture(10, 3, 4, 5);
    write("p.lf2", authoring::writeLf2(image));
    ASSERT_EQ(run({"convert", "p.lf2", "--format", "bmp", "-o", "p.bmp"}).status, 0);
    const std::vector<uint8_t> bmp = read("p.bmp");
    // 14-byte file header, 40-byte info header, 4 palette entries, rows of 12 bytes.
    ASSERT_EQ(bmp.size(), 14u + 40 + 4 * 4 + 12 * 3);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(bmp[10], 14 + 40 + 16);
    EXPECT_EQ(bmp[14 + 32], 4) << "colours used";
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(bmp[54 + 4 * i], image.palette[i].blue);
        EXPECT_EQ(bmp[56 + 4 * i], image.palette[i].red);
    }
    for (uint32_t y = 0; y < 3; ++y) {
        const uint8_t* row = bmp.data() + 70 + (2 - y) * 12;  // bottom-up
        EXPECT_TRUE(std::equal(row, row + 10, image.pixels.begin() + y * 10)) << "row " << y;
        EXPECT_EQ(row[10] | row[11], 0) << "row pad, which the filter leaves undefined";
    }
}

TEST_F(VantorCli, FailuresNameTheFileAndLeaveNoPartialOutput) {
    write("notes.txt", bytesOf("hello"));
    std::vector<uint8_t> truncated =
        authoring::writeLfg(lfgPicture(64, 64, authoring::ScanOrder::rows, 6));
    truncated.resize(truncated.size() - 10);
    write("cut.lfg", truncated);
    auto scrambled = authoring::writeScrambledPak(std::vector<PakMember>(12, {"A.BIN", {1, 2, 3}}));
    write("dup.pak", scrambled);
    scrambled.resize(scrambled.size() - 100);  // the directory is at the end
    write("corrupt.pak", scrambled);
    write("taken.png", bytesOf("keep me"));
    write("blocker", bytesOf("a file where a folder should go"));

    const struct {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        {{"convert", "notes.txt"}, "vantor: notes.txt: not a picture any plug-in recognises\n"},
        {{"convert", "missing.lfg"}, "vantor: missing.lfg: cannot open\n"},
        {{"convert", "cut.lfg", "-o", "cut.png"},
         "vantor: cut.lfg: corrupt or truncated LFG picture\n"},
        {{"info", "notes.txt"}, "vantor: notes.txt: no plug-in recognises this file\n"},
        {{"list", "corrupt.pak"}, "vantor: corrupt.pak: corrupt PAK archive\n"},
        {{"extract", "dup.pak", "B.BIN"}, "vantor: dup.pak: B.BIN: no such member\n"},
        {{"extract", "dup.pak", "-o", "blocker/out"},
         "vantor: blocker/out: cannot create the folder"},
        {{"encode", "notes.txt", "-o", "x.lfg"}, "vantor: notes.txt: not a PNG file"},
        {{"encode", "notes.txt", "-o", "x.gif"},
         "vantor: x.gif: the output must be named .lfg or .lf2\n"},
        {{"convert", "cut.lfg", "-o", "taken.png"},
         "vantor: taken.png: already exists (use --force to replace it)\n"},
        {{"pack", "notes.txt", "-o", "tiny.pak"}, "vantor: tiny.pak: PAK: "},
        {{"list", "dup.pak", "--plugin-dir", "nowhere"}, "vantor: nowhere: no such plug-in folder"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        const auto result = run(c.args);
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.err.substr(0, c.message.size()), c.message) << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << "one line";
    }
    EXPECT_FALSE(exists("cut.png"));
    EXPECT_FALSE(exists("x.lfg"));
    EXPECT_FALSE(exists("tiny.pak"));
    EXPECT_EQ(read("taken.png"), bytesOf("keep me"));
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        EXPECT_EQ(entry.path().string().find(".vantor-"), std::string::npos) << entry.path();
    }
}

TEST_F(VantorCli, ExistingFilesAreReplacedOnlyWithForce) {
    write("p.lfg", authoring::writeLfg(lfgPicture(8, 8, authoring::ScanOrder::rows, 7)));
    write("p.png", bytesOf("older"));
    EXPECT_EQ(run({"convert", "p.lfg"}).status, 1);
    EXPECT_EQ(read("p.png"), bytesOf("older"));
    EXPECT_EQ(run({"convert", "p.lfg", "--force"}).status, 0);
    EXPECT_EQ(readPng("p.png").width, 8u);
}

TEST_F(VantorCli, FindsPluginsBesideItselfOrWhereToldAndAnswersHelp) {
    const auto found = run({"plugins"});
    ASSERT_EQ(found.status, 0) << found.err;
    for (const char* s :
         {"00IN", "00AM", "*.LFG", "*.lf2", "*.PAK", "LFG to DIB filter ver0.13 [Vantor]"}) {
        EXPECT_NE(found.out.find(s), std::string::npos) << s;
    }
    EXPECT_EQ(run({"plugins"}, {"VANTOR_PLUGIN_DIR=" + dir.path().string()}).err,
              "vantor: " + dir.path().string() + ": no plug-ins in this folder\n");
    EXPECT_EQ(run({"--plugin-dir", VANTOR_TEST_PLUGIN_DIR, "plugins"}).out, found.out);

    for (const char* command :
         {"plugins", "info", "list", "extract", "convert", "encode", "pack"}) {
        const auto help = run({command, "--help"});
        EXPECT_EQ(help.status, 0) << command;
        EXPECT_NE(help.out.find("Usage"), std::string::npos) << command;
    }
    EXPECT_EQ(run({"--version"}).out, "vantor 0.13.0\n");
}

}  // namespace
}  // namespace vantor
