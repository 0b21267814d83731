// Writes PAK archives in both layouts: the exact inverse of the kavrel
// listing and extraction, for tools and tests.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vantor::authoring {

struct PakMember {
    std::string name;
    std::vector<uint8_t> bytes;
};

using PakKey = std::array<uint8_t, 11>;

// Header, the members in order, then the directory, everything scrambled with
// key (a random one when none is given). Names are given as the listing
// shows them: "NAME.EXT" with 1 to 8 name characters and no space among them,
// then '.' and exactly 3 extension characters (spaces allowed), no lower-case
// letters and no zero bytes. An empty archive is allowed; 1 to 10 members
// are not, as their directory is too short to carry the key. Throws
// std::invalid_argument for what the reader could not read back.
std::vector<uint8_t> writeScrambledPak(std::span<const PakMember> members,
                                       std::optional<PakKey> key = {});

// Entry count, directory, then the members in order, nothing scrambled.
// 1 to 1024 members (the count recognition accepts); names of 1 to 15 bytes
// (the listing keeps 15), and in the first 72 entries, which recognition
// examines, 5 to 15 of '.', letters and digits. Throws std::invalid_argument
// for what the reader could not read back.
std::vector<uint8_t> writePlainPak(std::span<const PakMember> members);

}  // namespace vantor::authoring
