#include "panels/font_choice.h"

#include "workbench/editor_dialogs.h"

namespace qxed {

std::optional<FontDesc> ChooseElementFont(FileChooser& chooser, const FontDesc& current) {
    std::optional<FontDesc> chosen = chooser.ChooseFont(current);
    if (chosen) chosen->Color = kWindowText;
    return chosen;
}

}  // namespace qxed
