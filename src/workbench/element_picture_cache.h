#pragma once
#include <map>
#include <string>
#include <string_view>

#include "gfx/raster_image.h"

namespace qxed {

// The element pictures of a program folder ("element/" in it), each decoded once on its first use and kept
// for every later redraw. A picture that cannot be loaded is not remembered, so it is looked for again the
// next time it is asked for.
class ElementPictureCache {
  public:
    explicit ElementPictureCache(std::string programFolder);

    // The decoded picture, or nullptr when the file is missing or no bitmap. The pointer stays valid as
    // long as the cache.
    const RasterImage* Find(std::string_view name);
    // The file a picture is read from.
    std::string PathOf(std::string_view name) const;

  private:
    std::string folder_;
    std::map<std::string, RasterImage, std::less<>> decoded_;
};

}  // namespace qxed
