#include "model/editor_defaults.h"

#include "text/language.h"
#include "text/texts.h"

namespace qxed {

EditorDefaults BuiltinEditorDefaults() {
    return EditorDefaultsOf(Language{});
}

EditorDefaults EditorDefaultsOf(const Language& language, int defaultModel) {
    EditorDefaults defaults;
    defaults.DefaultMessage = language.Text(texts::DefaultMessage);
    defaults.DefaultDynamicMessage = language.Text(texts::DefaultDynamicMessage);
    defaults.DefaultTouchKeyMessage = language.Text(texts::DefaultTouchKeyMessage);
    // The main window's font: the "Font" section's face, size and charset.
    defaults.MainFont.Name = language.FontName();
    defaults.MainFont.Charset = static_cast<uint8_t>(language.FontCharset());
    defaults.MainFont.SetSize(language.FontSize());
    defaults.DefaultModel = defaultModel;
    defaults.TextCodePage = language.FileCodePage();
    return defaults;
}

}  // namespace qxed
