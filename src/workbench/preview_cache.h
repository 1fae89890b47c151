#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>

#include "gfx/color.h"
#include "gfx/font_desc.h"
#include "gfx/raster_image.h"
#include "text/code_page.h"
#include "workbench/element_picture_cache.h"

namespace qxed {

// What the preview keeps from one redraw to the next, since every edit redraws the whole page: the element
// pictures of the program folder, and the texts and pictures of the page as they were last drawn. A text
// drawn again in the same font and colours, or a picture from the same bitmap bytes, gives exactly the pixels
// it gave before. Texts and pictures that a whole redraw did not use are let go at its end, so the cache
// holds about one page.
class PreviewCache {
  public:
    explicit PreviewCache(std::string programFolder) : pictures_(std::move(programFolder)) {}

    ElementPictureCache& ElementPictures() { return pictures_; }

    // The text as the canvas draws it with the font (its colour left aside) in `ink` on `ground`, over its
    // whole extent; nullptr for a text too large to keep, which is then drawn directly.
    const RasterImage* Text(const FontDesc& font, CodePage codePage, std::string_view bytes, Color ink,
                            Color ground);
    // A picture element's bitmap as the panel shows it (every pixel that is not white a black dot); nullptr
    // when the bytes are no bitmap.
    const RasterImage* Picture(std::span<const uint8_t> bmpFile);

    // A redraw of the whole page starts, or has ended: what it did not use goes.
    void BeginRedraw() { ++generation_; }
    void EndRedraw();
    // The texts and pictures kept now.
    std::size_t KeptCount() const { return texts_.size() + bitmaps_.size(); }

  private:
    struct Kept {
        std::optional<RasterImage> Image;
        uint64_t LastUse = 0;
    };

    ElementPictureCache pictures_;
    std::unordered_map<std::string, Kept> texts_;
    std::unordered_map<std::string, Kept> bitmaps_;
    uint64_t generation_ = 1;
};

}  // namespace qxed
