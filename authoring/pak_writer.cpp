#include "authoring/pak_writer.h"

#include <algorithm>
#include <random>
#include <stdexcept>

#include "pak/pak_layout.h"

namespace vantor::authoring {

namespace {

using pak::PlainEntry;
using pak::PlainHead;
using pak::ScrambledEntry;
using pak::ScrambledHead;

void require(bool ok, const std::string& what) {
    if (!ok) throw std::invalid_argument("PAK: " + what);
}

bool isLowerCase(char c) { return c >= 'a' && c <= 'z'; }

bool isPlainNameCharacter(char c) {
    return c == '.' || (c >= 'A' && c <= 'Z') || isLowerCase(c) || (c >= '0' && c <= '9');
}

// Appends the members' bytes in order; answers each member's position.
std::vector<uint32_t> appendMembers(std::vector<uint8_t>& out, std::span<const PakMember> members) {
    std::vector<uint32_t> positions;
    for (const PakMember& member : members) {
        require(out.size() + member.bytes.size() <= 0xFFFFFFFFu,
                "archive beyond 4 GiB: positions are 32 bits");
        positions.push_back(static_cast<uint32_t>(out.size()));
        out.insert(out.end(), member.bytes.begin(), member.bytes.end());
    }
    return positions;
}

template <class Layout>
void appendLayout(std::vector<uint8_t>& out, const Layout& layout) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(&layout);
    out.insert(out.end(), bytes, bytes + sizeof layout);
}

void scramble(uint8_t* bytes, size_t count, const PakKey& key) {
    for (size_t i = 0; i < count; ++i) bytes[i] = static_cast<uint8_t>(bytes[i] + key[i % 11]);
}

ScrambledEntry scrambledEntry(const std::string& name) {
    const std::string rule =
        "member name \"" + name +
        "\" is not NAME.EXT with 1 to 8 name characters, no spaces, and a 3-character extension";
    require(name.size() >= 5 && name.size() <= 12 && name[name.size() - 4] == '.', rule);
    const std::string base = name.substr(0, name.size() - 4);
    require(base.find(' ') == std::string::npos, rule);
    require(std::ranges::none_of(name, isLowerCase),
            "member name \"" + name + "\" has lower-case letters: the listing shows upper case");
    require(name.find('\0') == std::string::npos, "member name holds a zero byte");

    ScrambledEntry entry{};
    std::fill(std::begin(entry.name), std::end(entry.name), ' ');
    std::copy(base.begin(), base.end(), entry.name);
    std::copy(name.end() - 3, name.end(), entry.extension);
    return entry;
}

PakKey randomKey() {
    std::random_device source;
    PakKey key;
    for (uint8_t& b : key) b = static_cast<uint8_t>(source());
    return key;
}

void checkPlainName(const std::string& name, bool examined) {
    require(!name.empty() && name.size() <= 15,
            "member name \"" + name + "\" is not 1 to 15 bytes: the listing keeps 15");
    require(name.find('\0') == std::string::npos, "member name holds a zero byte");
    if (!examined) return;
    require(name.size() >= 5 && std::ranges::all_of(name, isPlainNameCharacter),
            "member name \"" + name +
                "\" would make recognition refuse the archive: the first 72 names need 5 to 15 "
                "of '.', letters and digits");
}

PlainEntry plainEntry(const std::string& name, uint32_t position, size_t size) {
    PlainEntry entry{};
    std::copy(name.begin(), name.end(), entry.name);
    entry.position.set(position);
    entry.size.set(static_cast<uint32_t>(size));
    return entry;
}

}  // namespace

std::vector<uint8_t> writeScrambledPak(std::span<const PakMember> members,
                                       std::optional<PakKey> key) {
    require(members.empty() || members.size() >= 11,
            "a scrambled archive needs no members or at least 11: fewer entries cannot carry "
            "the key");
    require(members.size() <= 0xFFFF, "a scrambled archive holds at most 65535 members");
    std::vector<ScrambledEntry> directory;
    for (const PakMember& member : members) directory.push_back(scrambledEntry(member.name));
    const PakKey chosen = key ? *key : randomKey();

    std::vector<uint8_t> out;
    ScrambledHead head{};
    std::copy(std::begin(pak::kScrambledMagic), std::end(pak::kScrambledMagic), head.magic);
    head.entryCount.set(static_cast<uint16_t>(members.size()));
    appendLayout(out, head);
    const std::vector<uint32_t> positions = appendMembers(out, members);
    for (size_t i = 0; i < members.size(); ++i) {
        scramble(out.data() + positions[i], members[i].bytes.size(), chosen);
        directory[i].position.set(positions[i]);
        directory[i].size.set(static_cast<uint32_t>(members[i].bytes.size()));
    }

    const size_t directoryStart = out.size();
    for (const ScrambledEntry& entry : directory) appendLayout(out, entry);
    scramble(out.data() + directoryStart, out.size() - directoryStart, chosen);
    return out;
}

std::vector<uint8_t> writePlainPak(std::span<const PakMember> members) {
    require(!members.empty() && members.size() <= pak::kMaxPlainEntries,
            "a plain archive holds 1 to 1024 members: recognition refuses other counts");
    for (size_t i = 0; i < members.size(); ++i) {
        checkPlainName(members[i].name, i < pak::kExaminedPlainEntries);
    }

    const size_t membersStart = sizeof(PlainHead) + members.size() * sizeof(PlainEntry);
    std::vector<uint8_t> out(membersStart);
    const std::vector<uint32_t> positions = appendMembers(out, members);

    PlainHead head{};
    head.entryCount.set(static_cast<uint32_t>(members.size()));
    storeLayout(head, out.data());
    for (size_t i = 0; i < members.size(); ++i) {
        const PlainEntry entry = plainEntry(members[i].name, positions[i], members[i].bytes.size());
        storeLayout(entry, out.data() + sizeof(PlainHead) + i * sizeof(PlainEntry));
    }
    return out;
}

}  // namespace vantor::authoring
