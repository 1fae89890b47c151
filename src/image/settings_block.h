#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

#include "image/image_buffer.h"

namespace qxed {

class Project;

// The global function key table: for the first GlobalKeyCount keys an attribute byte (0x40 when the key needs
// the password) and the key's action block. Empty for models without global keys; a count outside 0..20 is
// refused.
void WriteGlobalKeys(ImageBuffer& out, const Project& project);

// The panel settings block that follows the directory: station, page and alarm counts, alarm coil, home page,
// password digits and their complements, line settings, options, control register, screen saver, then the
// global key table. Counts and numbers beyond their fields are refused, never wrapped.
void WriteSettingsBlock(ImageBuffer& out, const Project& project, std::size_t pageCount,
                        std::span<const uint8_t> globalKeys);

// The panel's screen-saver delay in minutes for a delay list index; 3 for an index off the list.
int ScreenSaveMinutes(int32_t index);

}  // namespace qxed
