#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "gfx/canvas.h"
#include "gfx/geometry.h"
#include "model/element.h"
#include "model/page.h"
#include "text/code_page.h"

namespace qxed {

// What an element's rectangle depends on besides the element itself: the model's preview scale and the code
// page that texts and face names are measured in. Lamps and keys are as wide as their symbols, each of which
// is one two-byte character in every language, so their width needs no language file.
struct RectContext {
    int PreviewScale = 36;  // Z of the panel model
    CodePage TextCodePage = CodePage::Gbk;
};

// The context for a panel model; a model outside the table counts as the first one.
RectContext RectContextOf(int model, CodePage textCodePage);

// The bytes of one lamp, hand or key symbol.
constexpr int kSymbolBytes = 2;

// The preview image size of a panel model, in editor units (preview pixels).
Size PreviewImageSize(int model);

// The element's bounding rectangle in preview pixels, left and top inclusive, right and bottom exclusive.
// Text kinds take their size from their bytes (one row Z high, a character cell Z / 2 wide, both doubled
// with Double), lamps and function keys from their symbols (the lamp's, the hand's and the key's); trends,
// bars and pictures from Width and Height; font texts and touch keys from their measured text; variable font
// texts from MaxWidth and MaxHeight. An unknown kind has an empty rectangle at its position. Edges beyond the
// 32-bit range are held at its ends.
Rect ElementRect(const Element& element, const RectContext& context);

// The placeholder a register shows in the preview: "-" for signed or floating values, the digits before
// the point ("0" when there are none), then "." and the decimals. The digits are "0" with leading zeros,
// otherwise a running count 1, 2, ... 9, 0, 1, ... across the point: 5 digits with 2 decimals give
// "123.45". Counts beyond what any screen shows are cut, so a damaged file cannot ask for gigabytes.
std::string SampleRegisterText(const RegFields& reg);

// Where the preview draws an element that no longer lies on the image (after a change to a smaller
// model): an element whose right edge is below 0 or whose left edge is at or beyond the image width is
// drawn at X = 0; the same for Y against the image height.
struct PulledBack {
    std::size_t Index = 0;  // on the page
    int32_t X = 0;          // the position it is drawn at
    int32_t Y = 0;
    bool MovesX = false;
    bool MovesY = false;
    bool operator==(const PulledBack&) const = default;
};

// The position an element is drawn at; true in Moves* where it differs from the stored one.
PulledBack PullBackPosition(const Element& element, const RectContext& context, Size image);

// The elements of the page that the preview draws at another position than their stored one, in page
// order. Nothing is changed: whether the stored positions follow is the document's business.
std::vector<PulledBack> ElementsPulledBack(const Page& page, const RectContext& context, Size image);

// The focus rectangle of the selected element, or the ghost while an element is being placed: a dotted
// rectangle XORed onto the image, so that drawing it a second time removes it.
void ToggleFocusRect(Canvas& canvas, const Rect& rect);

}  // namespace qxed
