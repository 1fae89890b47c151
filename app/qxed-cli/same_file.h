#pragma once
#include <string>

namespace qxed::cli {

// True when both paths lead to one existing file: the same device and inode, so that symbolic and hard links
// and spellings such as "./a.qx2" count as the same. A path that names no file yet is no other file.
bool IsSameFile(const std::string& first, const std::string& second);

}  // namespace qxed::cli
