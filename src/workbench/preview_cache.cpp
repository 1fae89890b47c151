#include "workbench/preview_cache.h"

#include "gfx/canvas.h"
#include "gfx/mono_bitmap.h"
#include "gfx/text_render.h"

namespace qxed {

namespace {

// A kept text is at most this many pixels, a few preview images; larger ones (a huge font) are drawn directly
// and clipped to the image as they are drawn.
constexpr int64_t kLargestKeptText = 4 * 400 * 300;

template <class T>
void Append(std::string& key, const T& value) {
    key.append(reinterpret_cast<const char*>(&value), sizeof value);
}

void AppendBytes(std::string& key, std::string_view bytes) {
    Append(key, bytes.size());
    key.append(bytes);
}

// Everything the pixels of a drawn text depend on.
std::string TextKey(const FontDesc& font, CodePage codePage, std::string_view bytes, Color ink,
                    Color ground) {
    std::string key;
    Append(key, font.Charset);
    Append(key, font.Height);
    Append(key, font.Pitch);
    Append(key, font.Size);
    Append(key, font.Style);
    Append(key, codePage);
    Append(key, ink);
    Append(key, ground);
    AppendBytes(key, font.Name);
    AppendBytes(key, bytes);
    return key;
}

template <class Map>
void DropUnused(Map& map, uint64_t generation) {
    std::erase_if(map, [generation](const auto& entry) { return entry.second.LastUse < generation; });
}

}  // namespace

const RasterImage* PreviewCache::Text(const FontDesc& font, CodePage codePage, std::string_view bytes,
                                      Color ink, Color ground) {
    auto [entry, added] = texts_.try_emplace(TextKey(font, codePage, bytes, ink, ground));
    entry->second.LastUse = generation_;
    if (added) {
        const Size extent = MeasureText(font, bytes, codePage);
        if (int64_t{extent.Width} * extent.Height <= kLargestKeptText) {
            // Drawn by the canvas itself, so the kept pixels are those a direct drawing gives.
            Canvas canvas(extent.Width, extent.Height);
            FontDesc coloured = font;
            coloured.Color = ink;
            canvas.SetFont(coloured, codePage);
            canvas.SetBrushColor(ground);
            canvas.TextOut(0, 0, bytes);
            entry->second.Image = canvas.ToImage();
        }
    }
    return entry->second.Image ? &*entry->second.Image : nullptr;
}

const RasterImage* PreviewCache::Picture(std::span<const uint8_t> bmpFile) {
    auto [entry, added] =
        bitmaps_.try_emplace(std::string(reinterpret_cast<const char*>(bmpFile.data()), bmpFile.size()));
    entry->second.LastUse = generation_;
    if (added) {
        if (const std::optional<RasterImage> decoded = DecodeBmp(bmpFile))
            entry->second.Image = ToRaster(ToMonochrome(*decoded));
    }
    return entry->second.Image ? &*entry->second.Image : nullptr;
}

void PreviewCache::EndRedraw() {
    DropUnused(texts_, generation_);
    DropUnused(bitmaps_, generation_);
}

}  // namespace qxed
