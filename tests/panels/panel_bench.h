#pragma once
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "document/document.h"
#include "document/element_commands.h"
#include "document/project_commands.h"
#include "model/element_defaults.h"
#include "panels/property_panel.h"
#include "support/recording_prompts.h"
#include "text/language.h"
#include "workbench/editor_dialogs.h"
#include "workbench/element_placing.h"

namespace qxed::testing {

// Fonts answered by the test; every preset font is kept.
class ScriptedFonts : public FileChooser {
  public:
    std::deque<std::optional<FontDesc>> Answers;
    std::vector<FontDesc> Presets;
    std::optional<std::string> ChooseFile(const FileRequest&) override { return std::nullopt; }
    std::optional<FontDesc> ChooseFont(const FontDesc& current) override {
        Presets.push_back(current);
        if (Answers.empty()) return std::nullopt;
        std::optional<FontDesc> answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
};

// Every shown panel state.
class RecordingPanelView : public PropertyPanelView {
  public:
    std::vector<PanelState> Shown;
    void ShowPanel(const PanelState& state) override { Shown.push_back(state); }
};

// Sizes as the preview would draw them, simply: graphs and pictures by their size, font kinds by their stored
// or measured size, every other kind 10 editor units per byte of its text (20 without one), 10 high.
inline Rect BenchExtent(const Element& element, const Project&) {
    int width = 20;
    int height = 10;
    if (const auto* text = element.If<TextFields>()) width = 10 * static_cast<int>(text->Content.size());
    if (const auto* trend = element.If<TrendFields>()) width = trend->Width, height = trend->Height;
    if (const auto* bar = element.If<BarFields>()) width = bar->Width, height = bar->Height;
    if (const auto* var = element.If<VarFontTextFields>()) width = var->MaxWidth, height = var->MaxHeight;
    if (const auto* ascii = element.If<ASCIITextFields>()) width = 10 * ascii->CharNum;
    return Rect{element.X, element.Y, element.X + width, element.Y + height};
}

// A document with the property panel on it, as the editor has them, with a scripted font dialog.
struct PanelBench {
    // model 0: QX210, 432 x 144 editor units, Z 36; language: none (English version, ASCII only).
    explicit PanelBench(int model = 0, int plcType = 21, Language lang = Language())
        : language(std::move(lang)),
          placing(document, language, prompts, fonts, BenchExtent),
          panel(document, language, placing, fonts) {
        ProjectSettings settings = document.Contents().Settings;
        settings.CurrentModel = static_cast<uint8_t>(model);
        settings.PlcType = plcType;
        document.Apply(SetSettings(settings));
        document.SetModified(false);
        panel.SetView(&view);
    }

    // A new element of the kind at (x, y) editor units, selected; Modified cleared.
    const Element& Place(ElementKind kind, int32_t x = 0, int32_t y = 0) {
        Element element = NewElement(document.Contents(), static_cast<int32_t>(kind));
        element.X = x;
        element.Y = y;
        return Put(std::move(element));
    }
    const Element& Put(Element element) {
        document.Apply(PlaceElement(std::move(element)));
        document.SetModified(false);
        return *document.SelectedElement();
    }
    void Select(size_t index) { document.Apply(SelectElement(index)); }
    void SetPlcType(int plcType) {
        ProjectSettings settings = document.Contents().Settings;
        settings.PlcType = plcType;
        document.Apply(SetSettings(settings));
    }

    const Element& Selected() const { return *document.SelectedElement(); }
    template <class T>
    const T& Fields() const {
        return Selected().As<T>();
    }
    const PanelState& State() const { return panel.State(); }
    const ControlState& At(std::string_view name) const { return panel.State().At(name); }

    Document document;
    Language language;
    RecordingPrompts prompts;
    ScriptedFonts fonts;
    ElementPlacing placing;
    PropertyPanel panel;
    RecordingPanelView view;
};

}  // namespace qxed::testing
