// Reading the header and the directory chain, and the rules for names.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "archive/PkaArchive.h"

namespace tessary {

using PkaHeader = std::array<std::uint8_t, kPkaHeaderSize>;

// True for a name without any of ? * [ ] 0x1A ! ` \ / (length not checked).
bool pkaNameIsAllowed(const char* name);

bool pkaHasMagic(const std::uint8_t* bytes, const char (&magic)[5]);

inline std::uint8_t* pkaEntryAt(PkaDirBlock& block, int index) {
  return block.data() + kPkaBlockEntries + static_cast<std::uint32_t>(index) * kPkaEntrySize;
}
inline const std::uint8_t* pkaEntryAt(const PkaDirBlock& block, int index) {
  return block.data() + kPkaBlockEntries + static_cast<std::uint32_t>(index) * kPkaEntrySize;
}

// The entry's name: up to its NUL, never more than the 28 bytes of the field.
std::string pkaEntryName(const std::uint8_t* entry);

// Reads the 20-byte header at the base. -1 when it does not begin "PKAF".
int pkaReadHeader(PkaArchive& archive, PkaHeader& header, const char* label);

// Reads a directory block. -1 when it does not begin "PDIR".
int pkaReadBlock(PkaArchive& archive, std::uint32_t offset, PkaDirBlock& block, const char* label);

// Visits the blocks of the chain in order until `visit` returns true or the
// chain ends (both 0). -1 for a bad header or block magic, or a chain that
// comes back to a block already visited; a read error otherwise.
int pkaWalkDirectory(PkaArchive& archive, const char* label,
                     const std::function<bool(std::uint32_t offset, PkaDirBlock& block)>& visit);

}  // namespace tessary
