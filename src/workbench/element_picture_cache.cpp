#include "workbench/element_picture_cache.h"

#include <filesystem>

namespace qxed {

ElementPictureCache::ElementPictureCache(std::string programFolder) : folder_(std::move(programFolder)) {}

std::string ElementPictureCache::PathOf(std::string_view name) const {
    return (std::filesystem::path(folder_) / "element" / std::string(name)).string();
}

const RasterImage* ElementPictureCache::Find(std::string_view name) {
    if (const auto found = decoded_.find(name); found != decoded_.end()) return &found->second;
    std::optional<RasterImage> picture = LoadBmpFile(PathOf(name));
    if (!picture) return nullptr;
    return &decoded_.emplace(std::string(name), std::move(*picture)).first->second;
}

}  // namespace qxed
