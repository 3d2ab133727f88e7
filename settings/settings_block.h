#pragma once
// The stored form of the process-wide settings block: 924 bytes,
// little-endian, as kept in scene files and saved around a batch.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "settings/export_settings.h"

namespace korvo {

inline constexpr std::size_t kSettingsBlockSize = 924;

// Text fields are written zero-terminated; a text too long for its field
// is cut at a character boundary so that the terminator fits.
std::array<uint8_t, kSettingsBlockSize> EncodeSettingsBlock(const SettingsState& state);

// Fills state from a stored block. Returns false, leaving state unchanged,
// when block is not exactly kSettingsBlockSize bytes.
bool DecodeSettingsBlock(std::span<const uint8_t> block, SettingsState& state);

}  // namespace korvo
