#include "workbench/element_placing.h"

#include <algorithm>
#include <cstdlib>

#include "document/element_commands.h"
#include "gfx/mono_bitmap.h"
#include "gfx/raster_image.h"
#include "model/editor_units.h"
#include "model/element_rules.h"
#include "model/panel_model.h"
#include "model/user_prompts.h"
#include "text/file_access.h"
#include "text/language.h"
#include "text/texts.h"
#include "workbench/editor_dialogs.h"

namespace qxed {

namespace {

// A picture file is read whole; anything this large is no picture for a panel.
constexpr std::size_t kMaxPictureFileSize = 64 << 20;

int Width(const Rect& r) {
    return r.Right - r.Left;
}
int Height(const Rect& r) {
    return r.Bottom - r.Top;
}

// One axis of a move by whole steps: inside the image the rectangle moves; against an edge it is put exactly
// at it. The edges and the image's extent on that axis; true when the edges changed, and `moved` tells
// whether the whole move was made.
bool MoveAxis(int& nearEdge, int& farEdge, int move, int extent, bool& moved) {
    moved = false;
    const int size = farEdge - nearEdge;
    const int newNear = nearEdge + move;
    const int newFar = farEdge + move;
    if (newNear >= 0 && newFar <= extent) {
        nearEdge = newNear;
        farEdge = newFar;
        moved = true;
        return true;
    }
    if (newNear < 0 && nearEdge != 0) {
        nearEdge = 0;
        farEdge = size;
        return true;
    }
    if (newFar > extent && farEdge != extent) {
        farEdge = extent;
        nearEdge = extent - size;
        return true;
    }
    return false;
}

// One axis of a drag step: the mouse's travel from the reference in whole steps (half a step to the right or
// down, one and a half to the left or up count as one); the reference follows only a whole move.
bool StepAxis(int& nearEdge, int& farEdge, int mouse, int& reference, int extent, int step) {
    const int d = mouse - reference;
    const int n = std::abs((d + step / 2) / step);
    if (n < 1) return false;
    const int move = d >= 0 ? n * step : -n * step;
    bool moved = false;
    const bool changed = MoveAxis(nearEdge, farEdge, move, extent, moved);
    if (moved) reference += move;
    return changed;
}

// One axis of the ghost's snap: an absolute multiple of the step, pulled back inside the image.
void SnapAxis(int& nearEdge, int& farEdge, int mouse, int extent, int step) {
    const int size = farEdge - nearEdge;
    nearEdge = step * (mouse / step);
    farEdge = nearEdge + size;
    if (farEdge > extent) {
        farEdge = extent;
        nearEdge = farEdge - size;
    }
}

bool IsEmptyElement(const Element& element) {
    if (const auto* text = element.If<TextFields>()) return text->Content.empty();
    if (const auto* font = element.If<FontTextFields>()) return font->Content.empty();
    if (const auto* key = element.If<TouchKeyFields>()) return key->Content.empty();
    if (const auto* var = element.If<VarTextFields>()) return var->Count == 0;
    if (const auto* var = element.If<VarFontTextFields>()) return var->Count == 0;
    return false;
}

}  // namespace

ElementPlacing::ElementPlacing(Document& document, const Language& language, UserPrompts& prompts,
                               FileChooser& chooser, ElementExtent extent)
    : document_(document),
      language_(language),
      prompts_(prompts),
      chooser_(chooser),
      extent_(std::move(extent)) {}

void ElementPlacing::SetView(PlacingView* view) {
    view_ = view;
}

ElementPlacing::Screen ElementPlacing::ScreenOf() const {
    const PanelModel* model = FindPanelModel(document_.Contents().Settings.CurrentModel);
    if (model == nullptr) model = FindPanelModel(0);
    const PreviewSize size = PreviewSizeOf(*model);
    return Screen{size.Width, size.Height, model->PreviewScale, model->GridStep};
}

Size ElementPlacing::GhostSize(int32_t kind) const {
    const Screen screen = ScreenOf();
    const int z = screen.Z;
    const EditorDefaults& defaults = document_.Defaults();
    const auto textWidth = [z](std::size_t length) { return static_cast<int>(length) * z / 2; };
    const auto scaled = [z](int dots) { return ToEditorUnits(dots, z); };
    const auto measured = [&](const std::string& text) {
        return MeasureFontTextUnits(defaults.MainFont, text, defaults.TextCodePage, z);
    };
    switch (static_cast<ElementKind>(kind)) {
        case ElementKind::Text:
            return {textWidth(defaults.DefaultMessage.size()), z};
        case ElementKind::Reg:
            return {textWidth(document_.Contents().Settings.PlcType == 1 ? 4 : 5), z};
        case ElementKind::Lamp:
            return {textWidth(language_.Symbol(SymbolId::CircleLampOn).size()), z};
        case ElementKind::FuncKey:
            return {textWidth(language_.Symbol(SymbolId::Hand).size() +
                              language_.Symbol(SymbolId::HomeKey).size()),
                    z};
        case ElementKind::Trend:
            return {scaled(96), scaled(48)};
        case ElementKind::Bar:
            return {scaled(16), scaled(48)};
        case ElementKind::VarText:
            return {textWidth(defaults.DefaultDynamicMessage.size()), z};
        case ElementKind::FontText:
            return measured(defaults.DefaultMessage);
        case ElementKind::TouchKey: {
            const Size label = measured(defaults.DefaultTouchKeyMessage);
            return {label.Width + 14, label.Height + 14};
        }
        case ElementKind::VarFontText:
            return measured(defaults.DefaultDynamicMessage);
        case ElementKind::ASCIIText:
            return {z / 2, z};
        case ElementKind::Pic:
            break;
    }
    return {0, 0};
}

void ElementPlacing::StartPlacing(int32_t kind, bool down, int buttonTop) {
    if (!down || kind < kFirstElementKind || kind > kLastElementKind) {
        CancelPlacing();
        return;
    }
    pendingPicture_.reset();
    placingKind_ = kind;
    const Screen screen = ScreenOf();
    Rect ghost;
    if (kind == static_cast<int32_t>(ElementKind::Pic)) {
        if (!LoadPendingPicture(screen)) {
            CancelPlacing();
            return;
        }
        // A picture's ghost starts in the bottom right corner.
        const int width = ToEditorUnits(pendingPicture_->Width, screen.Z);
        const int height = ToEditorUnits(pendingPicture_->Height, screen.Z);
        ghost = Rect{std::max(screen.Width - width, 0), std::max(screen.Height - height, 0), 0, 0};
        ghost.Right = ghost.Left + width;
        ghost.Bottom = ghost.Top + height;
    } else {
        const Size size = GhostSize(kind);
        ghost.Right = screen.Width;
        ghost.Left = ghost.Right - size.Width;
        ghost.Top = std::max(buttonTop - 18, 0);
        ghost.Bottom = ghost.Top + size.Height;
    }
    if (ghost.Bottom > screen.Height) {
        const int height = Height(ghost);
        ghost.Bottom = screen.Height;
        ghost.Top = ghost.Bottom - height;
    }
    focusRect_ = ghost;
    document_.Apply(SelectElement(std::nullopt));
    if (view_ != nullptr) view_->ShowPlacingButton(kind);
    ShowGhost();
}

bool ElementPlacing::LoadPendingPicture(const Screen& screen) {
    FileRequest request;
    request.Mode = FileRequest::Kind::Open;
    request.Filter = language_.TextUtf8(texts::PicFileFilter);
    const std::optional<std::string> file = chooser_.ChooseFile(request);
    if (!file) return false;
    const auto bytes = file_access::ReadRegularFile(*file, kMaxPictureFileSize);
    const std::optional<RasterImage> image = bytes ? DecodeBmp(*bytes) : std::nullopt;
    if (!image || image->Width <= 0 || image->Height <= 0) {
        prompts_.ShowMessage(language_.TextUtf8(texts::FileFormatWrongCanNotPlacePicture),
                             language_.TextUtf8(texts::Picture), MessageIcon::Error);
        return false;
    }
    // Monochrome against white, and no larger than the panel's screen: what lies beyond it can never show.
    const PanelModel* model = FindPanelModel(document_.Contents().Settings.CurrentModel);
    const int screenWidth = model ? model->ScreenWidth : screen.Width;
    const int screenHeight = model ? model->ScreenHeight : screen.Height;
    const MonoBitmap bitmap = Crop(ToMonochrome(*image), screenWidth, screenHeight);
    pendingPicture_ = LoadedPicture{EncodeMonoBmp(bitmap), bitmap.Width, bitmap.Height};
    return true;
}

void ElementPlacing::CancelPlacing() {
    const bool wasPlacing = placingKind_.has_value();
    placingKind_.reset();
    pendingPicture_.reset();
    if (view_ != nullptr) {
        view_->ShowPlacingButton(std::nullopt);
        if (wasPlacing) view_->ShowGhost(std::nullopt);
    }
}

bool ElementPlacing::ArrowKey(int dx, int dy) {
    const Element* selected = document_.SelectedElement();
    if (!previewFocused_ || selected == nullptr || placingKind_ || dragging_) return false;
    const Screen screen = ScreenOf();
    Rect rect = ExtentOf(*selected);
    bool moved = false;
    const int stepX = (dx > 0) - (dx < 0);
    const int stepY = (dy > 0) - (dy < 0);
    const bool horizontal =
        stepX != 0 && MoveAxis(rect.Left, rect.Right, stepX * screen.Step, screen.Width, moved);
    const bool vertical =
        stepY != 0 && MoveAxis(rect.Top, rect.Bottom, stepY * screen.Step, screen.Height, moved);
    if (!horizontal && !vertical) return false;
    MoveSelectedTo(rect.Left, rect.Top, "arrow keys");
    return true;
}

void ElementPlacing::EscapePressed() {
    if (placingKind_) CancelPlacing();
}

void ElementPlacing::ShowGhost() {
    if (view_ != nullptr) view_->ShowGhost(placingKind_ ? std::optional<Rect>(focusRect_) : std::nullopt);
}

void ElementPlacing::RemoveEmptyFrontElement() {
    const Page& page = document_.CurrentPage();
    if (!page.Elements.empty() && IsEmptyElement(page.Elements.front()))
        document_.Apply(DeleteElement(page.Number, 0));
}

void ElementPlacing::Image1MouseDown(MouseButton, int x, int y) {
    if (view_ != nullptr) view_->FocusPreview();
    previewFocused_ = true;
    RemoveEmptyFrontElement();
    if (placingKind_) return;
    HitTest(x, y);
    if (const Element* selected = document_.SelectedElement()) {
        focusRect_ = ExtentOf(*selected);
        dragging_ = true;
        dragRef_ = Point{x, y};
        ++dragCount_;
    }
}

void ElementPlacing::HitTest(int x, int y) {
    const Page& page = document_.CurrentPage();
    for (std::size_t index = 0; index < page.Elements.size(); ++index) {
        const Rect r = ExtentOf(page.Elements[index]);
        if (r.Left <= x && x < r.Right && r.Top <= y && y < r.Bottom) {
            document_.Apply(SelectElement(index));
            return;
        }
    }
    document_.Apply(SelectElement(std::nullopt));
}

bool ElementPlacing::DragStep(int x, int y) {
    const Screen screen = ScreenOf();
    const bool horizontal =
        StepAxis(focusRect_.Left, focusRect_.Right, x, dragRef_.X, screen.Width, screen.Step);
    const bool vertical =
        StepAxis(focusRect_.Top, focusRect_.Bottom, y, dragRef_.Y, screen.Height, screen.Step);
    return horizontal || vertical;
}

void ElementPlacing::SnapGhost(int x, int y) {
    const Screen screen = ScreenOf();
    SnapAxis(focusRect_.Left, focusRect_.Right, x, screen.Width, screen.Step);
    SnapAxis(focusRect_.Top, focusRect_.Bottom, y, screen.Height, screen.Step);
}

void ElementPlacing::Image1MouseMove(int x, int y) {
    if (dragging_ && document_.SelectedElement() != nullptr && DragStep(x, y))
        MoveSelectedTo(focusRect_.Left, focusRect_.Top, "drag " + std::to_string(dragCount_));
    if (placingKind_) {
        SnapGhost(x, y);
        ShowGhost();
    }
}

void ElementPlacing::Image1MouseUp(MouseButton button, int, int) {
    dragging_ = false;
    if (!placingKind_) return;
    if (button == MouseButton::Left) {
        Element element =
            NewElement(document_.Contents(), *placingKind_, pendingPicture_ ? &*pendingPicture_ : nullptr);
        element.X = focusRect_.Left;
        element.Y = focusRect_.Top;
        document_.Apply(PlaceElement(std::move(element)));
    }
    // A right click only ends placing.
    CancelPlacing();
}

bool ElementPlacing::EditDelExecute() {
    if (!previewFocused_ || !document_.ElementSelected()) return false;
    return document_.Apply(DeleteElement(document_.CurrentPageNumber(), 0));
}

void ElementPlacing::MoveSelectedTo(int32_t x, int32_t y, const std::string& key) {
    const Element* selected = document_.SelectedElement();
    if (selected == nullptr) return;
    Element moved = *selected;
    moved.X = x;
    moved.Y = y;
    document_.Apply(SetElement(document_.CurrentPageNumber(), 0, std::move(moved), key));
}

void ElementPlacing::FitWidth() {
    const Element* selected = document_.SelectedElement();
    if (selected == nullptr) return;
    const int width = Width(ExtentOf(*selected));
    const Screen screen = ScreenOf();
    // An element wider than the screen stays at its left edge.
    if (selected->X + width > screen.Width)
        MoveSelectedTo(std::max(screen.Width - width, 0), selected->Y, {});
}

void ElementPlacing::FitHeight() {
    const Element* selected = document_.SelectedElement();
    if (selected == nullptr) return;
    const int height = Height(ExtentOf(*selected));
    const Screen screen = ScreenOf();
    if (selected->Y + height > screen.Height)
        MoveSelectedTo(selected->X, std::max(screen.Height - height, 0), {});
}

bool ElementPlacing::CommitX(int32_t panelX) {
    const Element* selected = document_.SelectedElement();
    if (selected == nullptr) return false;
    const Screen screen = ScreenOf();
    const int32_t x = ToEditorUnits(panelX, screen.Z);
    if (panelX < 0 || int64_t{x} + Width(ExtentOf(*selected)) > screen.Width) return false;
    MoveSelectedTo(x, selected->Y, {});
    return true;
}

bool ElementPlacing::CommitY(int32_t panelY) {
    const Element* selected = document_.SelectedElement();
    if (selected == nullptr) return false;
    const Screen screen = ScreenOf();
    const int32_t y = ToEditorUnits(panelY, screen.Z);
    if (panelY < 0 || int64_t{y} + Height(ExtentOf(*selected)) > screen.Height) return false;
    MoveSelectedTo(selected->X, y, {});
    return true;
}

}  // namespace qxed
