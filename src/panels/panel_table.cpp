#include "panels/panel_table.h"

#include <array>

#include "text/texts.h"

namespace qxed {

namespace {

constexpr unsigned kPosition = CoordinatesGroupBox | SpecialGroupBox;

constexpr std::array kRows{
    PanelRow{0, "AttrGroupBox", "", &texts::AttrGroupBoxCaption, 0, false, false, false, 0},
    PanelRow{1, "TextAttrGroupBox", "Text", &texts::TextAttrGroupBoxCaption, kPosition | TextGroupBox, true,
             true, true, 0},
    PanelRow{2, "RegAttrGroupBox", "Reg", &texts::RegAttrGroupBoxCaption,
             kPosition | RegisterGroupBox | DisplayGroupBox, true, true, true, 0},
    PanelRow{3, "LampAttrGroupBox", "Lamp", &texts::LampAttrGroupBoxCaption, kPosition | CoilGroupBox, true,
             false, true, 0},
    PanelRow{4, "FuncKeyAttrGroupBox", "FuncKey", &texts::FuncKeyAttrGroupBoxCaption,
             kPosition | KeyActionGroupBox, true, true, true, 0},
    PanelRow{5, "TrendAttrGroupBox", "Trend", &texts::TrendAttrGroupBoxCaption,
             CoordinatesGroupBox | RangeGroupBox | RegisterGroupBox | DisplayGroupBox, false, false, true,
             16},
    PanelRow{6, "BarAttrGroupBox", "Bar", &texts::BarAttrGroupBoxCaption,
             CoordinatesGroupBox | RangeGroupBox | RegisterGroupBox | DisplayGroupBox, false, false, true, 8},
    PanelRow{7, "PicAttrGroupBox", "Pic", &texts::PicAttrGroupBoxCaption, CoordinatesGroupBox | RangeGroupBox,
             false, false, true, 0},
    PanelRow{8, "VarTextAttrGroupBox", "VarText", &texts::VarTextAttrGroupBoxCaption,
             kPosition | RegisterGroupBox | DisplayGroupBox | StateTableGroupBox, true, true, true, 0},
    PanelRow{9, "FontTextAttrGroupBox", "FontText", &texts::FontTextAttrGroupBoxCaption,
             kPosition | TextGroupBox | FontGroupBox, false, true, true, 0},
    PanelRow{10, "TouchKeyAttrGroupBox", "TouchKey", &texts::FuncKeyAttrGroupBoxCaptionTouchKey,
             kPosition | TextGroupBox | FontGroupBox | KeyActionGroupBox, false, true, false, 0},
    PanelRow{11, "VarFontTextAttrGroupBox", "VarFontText", &texts::VarFontTextAttrGroupBoxCaption,
             kPosition | RegisterGroupBox | DisplayGroupBox | FontGroupBox | StateTableGroupBox, false, true,
             true, 0},
    PanelRow{12, "ASCIITextAttrGroupBox", "ASCIIText", &texts::ASCIITextAttrGroupBoxCaption,
             kPosition | RegisterGroupBox, true, true, false, 0},
};

}  // namespace

std::span<const PanelRow> PanelRows() {
    return kRows;
}

const PanelRow& PanelRowOf(int32_t kind) {
    for (const PanelRow& row : kRows)
        if (row.Kind == kind && kind != 0) return row;
    return kRows.front();
}

}  // namespace qxed
