#pragma once
#include <string>

#include "gfx/canvas.h"
#include "model/page.h"
#include "model/panel_model.h"
#include "text/code_page.h"
#include "workbench/element_rect.h"
#include "workbench/preview_cache.h"

namespace qxed {

// The true-size preview of a page: the page as the panel shows it, enlarged to preview pixels, black on
// white with grey grid dots. The editor's preview, `qxed-cli render` and the tests all draw through here.

// What a redraw needs besides the canvas.
struct PreviewInput {
    const Page& PageToDraw;
    int Model = 0;                          // panel model index; one outside the table counts as the first
    CodePage TextCodePage = CodePage::Gbk;  // of the texts and face names
    PreviewCache& Cache;                    // the element pictures, and the texts drawn before
    bool GridShown = true;
    bool Selected = false;  // the page's first element is selected and gets the focus rectangle
};

// A redraw stops when neither an element's picture nor the fallback picture can be loaded: the elements
// after it and the focus rectangle are left out, and the fallback's file is named.
struct PaintOutcome {
    bool Complete = true;
    std::string MissingFile;
};

// What drawing one element needs: its geometry, the model's picture letters, the pictures and texts.
struct ElementPainter {
    RectContext Geometry;
    char LampLetter = 'd';
    char KeypadLetter = 'd';
    PreviewCache& Cache;
};
ElementPainter ElementPainterOf(const PreviewInput& input);

// The canvas font of the preview: the Song face (its Chinese name when the code page can hold it, else
// its Latin one), black, 16 panel dots high.
FontDesc PreviewCanvasFont(CodePage codePage, int previewScale);

// Draws one element with its top left at `at` (its stored position, or where the preview pulls it back
// to). The canvas's font, pen and brush are the same afterwards.
PaintOutcome DrawElementAt(Canvas& canvas, const Element& element, Point at, const ElementPainter& painter);
// The same at the element's stored position.
PaintOutcome DrawElement(Canvas& canvas, const Element& element, const ElementPainter& painter);

// Redraws the whole page into the canvas, which takes the model's preview size first when it has another:
// the white ground, the grid dots when shown, the elements from the last to the first (the first is on top)
// each at its pulled-back position, and the focus rectangle of the selection.
PaintOutcome RedrawPage(Canvas& canvas, const PreviewInput& input);

}  // namespace qxed
