#include "model/element_defaults.h"

#include <algorithm>

#include "model/editor_units.h"
#include "model/element_rules.h"
#include "model/panel_model.h"
#include "model/project.h"
#include "plc/operand_numbers.h"

namespace qxed {

namespace {

// Z of the project's model; the small panels' 36 for an index outside the table.
int ScaleOf(const Project& project) {
    const PanelModel* model = FindPanelModel(project.Settings.CurrentModel);
    return model ? model->PreviewScale : 36;
}

// A built-in-font text of the model: at most one line and the slot, never ending in half a character.
std::string NewLineText(const Project& project, const std::string& text) {
    const PanelModel* model = FindPanelModel(project.Settings.CurrentModel);
    const int columns = model ? std::min(model->CharsPerLine, kShortTextCapacity) : kShortTextCapacity;
    return CutAtCharacter(text, columns, project.Defaults.TextCodePage);
}

std::string NewFontText(const Project& project, const std::string& text) {
    return CutAtCharacter(text, kLongTextCapacity, project.Defaults.TextCodePage);
}

// HEX/BCD display is the default on type 1 only.
uint8_t DefaultDecDisp(int plcType) {
    return plcType == 1 ? 0 : 1;
}

int32_t DefaultFullValue(int plcType) {
    switch (plcType) {
        case 1:
            return 9999;
        case 13:
        case 21:
        case 38:
            return 32767;
        default:
            return 65535;
    }
}

GraphFields NewGraph(const Project& project, int widthDots, int heightDots) {
    const int plcType = project.Settings.PlcType;
    const int z = ScaleOf(project);
    GraphFields graph;
    graph.Address = DefaultOperand(plcType, OperandKind::Register);
    graph.DecDisp = DefaultDecDisp(plcType);
    graph.Width = ToEditorUnits(widthDots, z);
    graph.Height = ToEditorUnits(heightDots, z);
    graph.FullValue = DefaultFullValue(plcType);
    return graph;
}

ElementFields NewFields(const Project& project, int32_t kind, const LoadedPicture* picture, bool measure) {
    const int plcType = project.Settings.PlcType;
    const EditorDefaults& defaults = project.Defaults;
    switch (static_cast<ElementKind>(kind)) {
        case ElementKind::Text:
            return TextFields{NewLineText(project, defaults.DefaultMessage)};
        case ElementKind::Reg: {
            RegFields reg;
            reg.Address = DefaultOperand(plcType, OperandKind::Register);
            reg.Digits = plcType == 1 ? 4 : 5;
            reg.DecDisp = DefaultDecDisp(plcType);
            return reg;
        }
        case ElementKind::Lamp: {
            LampFields lamp;
            lamp.Coil = DefaultOperand(plcType, OperandKind::Coil);
            return lamp;
        }
        case ElementKind::FuncKey:
            return FuncKeyFields{NewKeyAction(project)};
        case ElementKind::Trend: {
            TrendFields trend;
            static_cast<GraphFields&>(trend) = NewGraph(project, 96, 48);
            return trend;
        }
        case ElementKind::Bar: {
            BarFields bar;
            static_cast<GraphFields&>(bar) = NewGraph(project, 16, 48);
            return bar;
        }
        case ElementKind::Pic: {
            PicFields pic;
            if (picture) {
                const int z = ScaleOf(project);
                pic.Width = ToEditorUnits(picture->Width, z);
                pic.Height = ToEditorUnits(picture->Height, z);
                pic.Bitmap = picture->Bmp;
            }
            return pic;
        }
        case ElementKind::VarText: {
            VarTextFields var;
            var.Address = DefaultOperand(plcType, OperandKind::WordRegister);
            var.DecDisp = DefaultDecDisp(plcType);
            var.Texts[0] = NewLineText(project, defaults.DefaultDynamicMessage);
            var.MaxLen = static_cast<int32_t>(var.Texts[0].size());
            return var;
        }
        case ElementKind::FontText:
            return FontTextFields{NewFontText(project, defaults.DefaultMessage), defaults.MainFont};
        case ElementKind::TouchKey: {
            TouchKeyFields touch;
            touch.Content = NewFontText(project, defaults.DefaultTouchKeyMessage);
            touch.Font = defaults.MainFont;
            touch.Action = NewKeyAction(project);
            return touch;
        }
        case ElementKind::VarFontText: {
            VarFontTextFields var;
            var.Address = DefaultOperand(plcType, OperandKind::WordRegister);
            var.DecDisp = DefaultDecDisp(plcType);
            var.Texts[0] = NewFontText(project, defaults.DefaultDynamicMessage);
            var.Font = defaults.MainFont;
            if (measure) {
                const Size size = MeasureFontTextUnits(var.Font, var.Texts[0], project.Defaults.TextCodePage,
                                                       ScaleOf(project));
                var.MaxWidth = size.Width;
                var.MaxHeight = size.Height;
            }
            return var;
        }
        case ElementKind::ASCIIText: {
            ASCIITextFields ascii;
            ascii.Address = DefaultOperand(plcType, OperandKind::WordRegister);
            return ascii;
        }
    }
    return std::monostate{};
}

}  // namespace

int32_t DefaultKeyOfModel(int modelIndex) {
    switch (modelIndex) {
        case 2:
        case 4:
        case 6:
        case 7:
        case 10:
        case 11:
            return 22;
        case 9:
            return 0;
        default:
            return 1;
    }
}

KeyAction NewKeyAction(const Project& project) {
    const int plcType = project.Settings.PlcType;
    KeyAction action;
    action.Key = DefaultKeyOfModel(project.Settings.CurrentModel);
    action.Coil = DefaultOperand(plcType, OperandKind::Coil);
    action.RegAddress = DefaultOperand(plcType, OperandKind::Register);
    return action;
}

KeyAction NewGlobalKey(const Project& project) {
    KeyAction action = NewKeyAction(project);
    action.Function = KeyAction::kNoFunction;
    return action;
}

Element NewElement(const Project& project, int32_t kind, const LoadedPicture* picture) {
    Element element;
    element.Kind = kind;
    element.Fields = NewFields(project, kind, picture, true);
    return element;
}

Element NewElementForReading(const Project& project, int32_t kind) {
    Element element;
    element.Kind = kind;
    element.Fields = NewFields(project, kind, nullptr, false);
    return element;
}

}  // namespace qxed
