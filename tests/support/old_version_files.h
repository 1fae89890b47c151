#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/project.h"

// Project files of the older versions 1..27, written field by field from tables of their own, with the
// project a reader has to make of them.
namespace qxed::testing {

struct OldVersionSample {
    std::vector<uint8_t> Bytes;
    // What opening the file into a fresh Project gives: the reset of its PLC type and new elements' defaults
    // wherever the version stores nothing.
    Project Expected;
    // The bytes a reader needs; what follows (the keys of versions 15 and 16, stored without a count) is
    // never read.
    std::size_t ReadEnd = 0;
};

// Page 1 holds an element of every kind the version knows (two function keys: in versions 7 to 10 the
// first has alarm-list byte 1, the second 0); page 0x8003 holds an element of the first kind newer than the
// version (if any), one of the unknown kind 13, and a text; page 0xFFFF is empty. Alarm texts and global
// keys where the version stores them. Every stored text fills its slot.
OldVersionSample MakeOldVersionSample(int version);

// The bytes of MakeOldVersionSample.
std::vector<uint8_t> OldVersionFile(int version);

}  // namespace qxed::testing
