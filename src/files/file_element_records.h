#pragma once
#include <cstdint>

#include "files/byte_io.h"
#include "model/element.h"
#include "model/project.h"

// The element record of the project file: the 14-byte header and the kind's data.
namespace qxed::records {

struct ElementHeader {
    int32_t X = 0;
    int32_t Y = 0;
    uint8_t Double = 0;
    uint8_t Inverse = 0;
    int32_t Kind = 0;
};

ElementHeader ReadElementHeader(ByteReader& in);
// A new element of the header's kind, with the project's defaults and the header values put in.
Element MakeElement(const Project& project, const ElementHeader& header);

// Header and data in the current layout. The kind written is the one the fields belong to, so that a
// file never carries data of another kind than its header says.
void WriteElement(ByteWriter& out, const Element& element);
// The kind's data in the current layout into an element made by MakeElement. A kind code outside 1..12
// has no data.
void ReadElementData(ByteReader& in, Element& element);

}  // namespace qxed::records
