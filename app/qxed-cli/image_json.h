#pragma once
#include <string>

#include "image/image_reader.h"

namespace qxed::cli {

// The decoded image as one JSON object: lengths, directory, the settings block's counts, the page table,
// every element's directory entry with its fields (name, offset, size and, for numbers, the value), and the
// alarm texts' addresses.
std::string ImageJson(const DecodedImage& image);

}  // namespace qxed::cli
