#pragma once
#include <string>

#include "gfx/font_desc.h"
#include "text/code_page.h"

namespace qxed {

class Language;

// What new projects and elements take from outside the project: the language texts (bytes in the
// language file's code page), the main window's font and the model given to new projects.
struct EditorDefaults {
    std::string DefaultMessage;
    std::string DefaultDynamicMessage;
    std::string DefaultTouchKeyMessage;
    FontDesc MainFont;  // the "Font" section's face, size and charset
    int DefaultModel = 0;
    CodePage TextCodePage = CodePage::Gbk;  // of every text in the project

    bool operator==(const EditorDefaults&) const = default;
};

// Built-in texts without a language file ("文字串", ... as GBK; font "宋体" 9 points, charset 134).
EditorDefaults BuiltinEditorDefaults();
EditorDefaults EditorDefaultsOf(const Language& language, int defaultModel = 0);

}  // namespace qxed
