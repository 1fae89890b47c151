#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "document/document.h"
#include "gfx/geometry.h"
#include "model/panel_model.h"
#include "text/code_page.h"

namespace qxed {

class ElementPlacing;
class FileChooser;
class Language;

// What every panel's handlers work with: the document they store through, the language, the placing rules
// for positions and sizes, the font dialog, and the way back to the view when a refused entry has to be
// shown again.
class PanelContext {
  public:
    PanelContext(Document& document, const Language& language, ElementPlacing& placing, FileChooser& chooser);

    Document& Doc() { return document_; }
    const Document& Doc() const { return document_; }
    const Language& Texts() const { return language_; }
    ElementPlacing& Placing() { return placing_; }
    FileChooser& Chooser() { return chooser_; }

    // The panel model of the project (the first model for an index outside the table).
    const PanelModel& Model() const;
    int PlcType() const { return document_.Contents().Settings.PlcType; }
    CodePage TextCodePage() const { return document_.Defaults().TextCodePage; }
    // The preview image in editor units, and its scale.
    Size Preview() const;
    int Z() const { return Model().PreviewScale; }
    // The English version accepts only bytes below 0x80 in the panel's built-in-font texts.
    bool AsciiOnly() const;

    const Element* Selected() const { return document_.SelectedElement(); }
    // Edits a copy of the selected element and stores it when it differs, as one undo step per field and
    // element for a run of such edits. True when something was stored.
    bool EditSelected(std::string_view field, const std::function<void(Element&)>& edit);
    // The undo merge key of a field of the selected element.
    std::string FieldKey(std::string_view field) const;

    // Shows the stored values again: after an entry was refused, nothing changed, so no notice comes.
    std::function<void()> Republish;
    void ShowStoredAgain() {
        if (Republish) Republish();
    }

  private:
    Document& document_;
    const Language& language_;
    ElementPlacing& placing_;
    FileChooser& chooser_;
};

// True when the text holds a byte of 0x80 or above.
bool HasNonAscii(std::string_view text);

}  // namespace qxed
