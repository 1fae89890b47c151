// The group boxes of the register display, the lamp, the trend and the bar graph.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QSpinBox>

#include "panels/panel_table.h"
#include "panels/property_panel.h"
#include "text/texts.h"
#include "ui/panel_builders.h"
#include "ui/panel_controls.h"

namespace qxed {

namespace {

const PanelRow& RowOf(ElementKind kind) {
    return PanelRowOf(static_cast<int32_t>(kind));
}

void OnClick(QAbstractButton* button, const std::function<void()>& click) {
    QObject::connect(button, &QAbstractButton::clicked, button, click);
}

void OnToggle(QAbstractButton* button, const std::function<void(bool)>& click) {
    QObject::connect(button, &QAbstractButton::clicked, button, click);
}

// The parts the trend and the bar share: register, size, display and the full and zero values.
QGroupBox* GraphBox(const PanelBuild& build, ElementKind kind, GraphPanel& graph) {
    const PanelRow& row = RowOf(kind);
    const std::string prefix(row.Prefix);
    QGroupBox* box = build.ElementBox(row, graph);

    QGroupBox* range = MakeGroupBox(box, prefix + "RangeGroupBox", build.Text(texts::RangeGroupBoxCaption),
                                    {8, 94, 100, 72});
    MakePanelLabel(range, prefix + "WidthLabel", build.Text(texts::WidthLabelCaption), 8, 20, 26);
    OnCommit(MakeSpin(range, prefix + "WidthSpinEdit", 34, 20, 60),
             [&graph](int v) { graph.WidthSpinEditExit(v); });
    MakePanelLabel(range, prefix + "HeightLabel", build.Text(texts::HeightLabelCaption), 8, 46, 26);
    OnCommit(MakeSpin(range, prefix + "HeightSpinEdit", 34, 46, 60),
             [&graph](int v) { graph.HeightSpinEditExit(v); });

    QGroupBox* reg =
        MakeGroupBox(box, prefix + "RegGroupBox", build.Text(texts::RegGroupBoxCaption), {114, 18, 200, 100});
    build.RegisterFields(reg, prefix + "Reg", 20,
                         {[&graph](int v) { graph.RegStationSpinEditChange(v); },
                          [&graph](int v) { graph.RegTypeComboBoxChange(v); },
                          [&graph](int v) { graph.RegNoSpinEditChange(v); },
                          [&graph](int v) { graph.RegNumSpinEditChange(v); }});

    QGroupBox* disp = MakeGroupBox(box, prefix + "DispGroupBox", build.Text(texts::DispGroupBoxCaption),
                                   {320, 18, 212, 100});
    auto* radios = new QButtonGroup(disp);
    MakePanelLabel(disp, prefix + "DispModeLabel", build.Text(texts::RegValueModeLabelCaption), 8, 20, 44);
    OnClick(MakeRadio(disp, radios, prefix + "RegDecRadioButton", build.Text(texts::RegDecRadioButtonCaption),
                      52, 20, 80),
            [&graph] { graph.RegDecRadioButtonClick(); });
    OnClick(MakeRadio(disp, radios, prefix + "RegHexRadioButton", build.Text(texts::RegHexRadioButtonCaption),
                      134, 20, 76),
            [&graph] { graph.RegHexRadioButtonClick(); });
    OnToggle(
        MakeCheck(disp, prefix + "FloatCheckBox", build.Text(texts::FloatCheckBoxCaptionTrendBar), 8, 46, 90),
        [&graph](bool checked) { graph.FloatCheckBoxClick(checked); });
    OnToggle(MakeCheck(disp, prefix + "RegSignedCheckBox",
                       build.Text(texts::RegSignedCheckBoxCaptionTrendBar), 98, 46, 94),
             [&graph](bool checked) { graph.RegSignedCheckBoxClick(checked); });
    MakePanelLabel(disp, prefix + "DecimalDigitsLabel", build.Text(texts::RegDecimalDigitsLabelCaption), 8,
                   72, 60);
    OnChange(MakeSpin(disp, prefix + "DecimalDigitsSpinEdit", 70, 72, 46),
             [&graph](int v) { graph.DecimalDigitsSpinEditChange(v); });

    QGroupBox* values = MakeGroupBox(box, prefix + "ValueGroupBox", "", {114, 122, 418, 92});
    MakePanelLabel(values, prefix + "FullValueLabel", build.Text(texts::FullValueLabelCaption), 8, 12, 74);
    OnCommit(MakeSpin(values, prefix + "FullValueSpinEdit", 84, 12, 108),
             [&graph](int v) { graph.FullValueSpinEditExit(v); });
    MakePanelLabel(values, prefix + "ZeroValueLabel", build.Text(texts::ZeroValueLabelCaption), 204, 12, 78);
    OnCommit(MakeSpin(values, prefix + "ZeroValueSpinEdit", 284, 12, 108),
             [&graph](int v) { graph.ZeroValueSpinEditExit(v); });
    return values;
}

}  // namespace

QGroupBox* BuildRegAttrGroupBox(const PanelBuild& build) {
    RegPanel& r = build.Logic.Reg();
    QGroupBox* box = build.ElementBox(RowOf(ElementKind::Reg), r);
    QGroupBox* reg =
        MakeGroupBox(box, "RegGroupBox", build.Text(texts::RegGroupBoxCaption), {114, 18, 200, 100});
    build.RegisterFields(
        reg, "Reg", 20,
        {[&r](int v) { r.RegStationSpinEditChange(v); }, [&r](int v) { r.RegTypeComboBoxChange(v); },
         [&r](int v) { r.RegNoSpinEditChange(v); }, [&r](int v) { r.RegNumSpinEditChange(v); }});

    QGroupBox* disp =
        MakeGroupBox(box, "RegDispGroupBox", build.Text(texts::DispGroupBoxCaption), {320, 18, 212, 100});
    MakePanelLabel(disp, "RegDigitsLabel", build.Text(texts::RegDigitsLabelCaption), 8, 20, 46);
    OnChange(MakeSpin(disp, "RegDigitsSpinEdit", 54, 20, 42), [&r](int v) { r.RegDigitsSpinEditChange(v); });
    MakePanelLabel(disp, "RegDecimalDigitsLabel", build.Text(texts::RegDecimalDigitsLabelCaption), 100, 20,
                   64);
    OnChange(MakeSpin(disp, "RegDecimalDigitsSpinEdit", 166, 20, 40),
             [&r](int v) { r.RegDecimalDigitsSpinEditChange(v); });
    auto* radios = new QButtonGroup(disp);
    MakePanelLabel(disp, "RegDispModeLabel", build.Text(texts::RegValueModeLabelCaption), 8, 46, 40);
    OnClick(MakeRadio(disp, radios, "RegDecDispRadioButton", build.Text(texts::RegDecRadioButtonCaption), 48,
                      46, 80),
            [&r] { r.RegDecDispRadioButtonClick(); });
    OnClick(MakeRadio(disp, radios, "RegHexDispRadioButton", build.Text(texts::RegHexRadioButtonCaption), 130,
                      46, 80),
            [&r] { r.RegHexDispRadioButtonClick(); });
    OnToggle(MakeCheck(disp, "RegPre0CheckBox", build.Text(texts::Pre0CheckBoxCaption), 8, 72, 92),
             [&r](bool checked) { r.RegPre0CheckBoxClick(checked); });
    OnToggle(MakeCheck(disp, "RegFloatCheckBox", build.Text(texts::FloatCheckBoxCaption), 100, 72, 62),
             [&r](bool checked) { r.RegFloatCheckBoxClick(checked); });
    OnToggle(MakeCheck(disp, "RegSignedCheckBox", build.Text(texts::RegSignedCheckBoxCaption), 162, 72, 46),
             [&r](bool checked) { r.RegSignedCheckBoxClick(checked); });

    QGroupBox* entry = MakeGroupBox(box, "RegSetGroupBox", "", {114, 122, 418, 92});
    OnToggle(MakeCheck(entry, "RegNeedSetCheckBox", build.Text(texts::RegNeedSetCheckBoxCaption), 8, 8, 90),
             [&r](bool checked) { r.RegNeedSetCheckBoxClick(checked); });
    OnToggle(MakeCheck(entry, "RegEncryptCheckBox", build.Text(texts::EncryptCheckBoxCaption), 104, 8, 94),
             [&r](bool checked) { r.RegEncryptCheckBoxClick(checked); });
    OnToggle(MakeCheck(entry, "RegLimitCheckBox", build.Text(texts::LimitCheckBoxCaption), 204, 8, 94),
             [&r](bool checked) { r.RegLimitCheckBoxClick(checked); });
    OnToggle(MakeCheck(entry, "RegConvertCheckBox", build.Text(texts::ConvertCheckBoxCaption), 304, 8, 90),
             [&r](bool checked) { r.RegConvertCheckBoxClick(checked); });
    MakePanelLabel(entry, "RegUpLimitLabel", build.Text(texts::UpLimitLabelCaption), 8, 36, 50);
    OnChange(MakeSpin(entry, "RegUpLimitSpinEdit", 60, 36, 130),
             [&r](int v) { r.RegUpLimitSpinEditChange(v); });
    MakePanelLabel(entry, "RegLowLimitLabel", build.Text(texts::LowLimitLabelCaption), 204, 36, 50);
    OnChange(MakeSpin(entry, "RegLowLimitSpinEdit", 256, 36, 136),
             [&r](int v) { r.RegLowLimitSpinEditChange(v); });
    MakePanelLabel(entry, "RegValUpLimitLabel", build.Text(texts::ValUpLimitLabelCaption), 8, 62, 50);
    OnChange(MakeSpin(entry, "RegValUpLimitSpinEdit", 60, 62, 130),
             [&r](int v) { r.RegValUpLimitSpinEditChange(v); });
    MakePanelLabel(entry, "RegValLowLimitLabel", build.Text(texts::ValLowLimitLabelCaption), 204, 62, 50);
    OnChange(MakeSpin(entry, "RegValLowLimitSpinEdit", 256, 62, 136),
             [&r](int v) { r.RegValLowLimitSpinEditChange(v); });
    return box;
}

QGroupBox* BuildLampAttrGroupBox(const PanelBuild& build) {
    LampPanel& lamp = build.Logic.Lamp();
    QGroupBox* box = build.ElementBox(RowOf(ElementKind::Lamp), lamp);
    QGroupBox* coil =
        MakeGroupBox(box, "LampCoilGroupBox", build.Text(texts::CoilGroupBoxCaption), {114, 18, 262, 76});
    build.CoilFields(coil, "LampCoil", 20,
                     {[&lamp](int v) { lamp.LampCoilStationSpinEditChange(v); },
                      [&lamp](int v) { lamp.LampCoilTypeComboBoxChange(v); },
                      [&lamp](int v) { lamp.LampCoilNoSpinEditChange(v); },
                      [&lamp](int v) { lamp.LampCoilNoComboBoxChange(v); }});
    QGroupBox* kind = MakeGroupBox(box, "LampKindGroupBox", "", {382, 18, 150, 100});
    MakePanelLabel(kind, "LampTypeLabel", build.Text(texts::LampTypeLabelCaption), 8, 10, 44);
    QComboBox* type = MakeCombo(kind, "LampTypeComboBox", 54, 10, 72);
    QObject::connect(type, &QComboBox::activated, type, [&lamp](int v) { lamp.LampTypeComboBoxChange(v); });
    auto* logic = new QButtonGroup(kind);
    OnClick(MakeRadio(kind, logic, "LampPosLogicRadioButton",
                      build.Text(texts::LampPosLogicRadioButtonCaption), 8, 40, 118),
            [&lamp] { lamp.LampPosLogicRadioButtonClick(); });
    OnClick(MakeRadio(kind, logic, "LampNegLogicRadioButton",
                      build.Text(texts::LampNegLogicRadioButtonCaption), 8, 66, 118),
            [&lamp] { lamp.LampNegLogicRadioButtonClick(); });
    return box;
}

QGroupBox* BuildTrendAttrGroupBox(const PanelBuild& build) {
    TrendPanel& trend = build.Logic.Trend();
    QGroupBox* values = GraphBox(build, ElementKind::Trend, trend);
    MakePanelLabel(values, "TrendSampleLabel", build.Text(texts::TrendSampleLabelCaption), 8, 40, 74);
    OnChange(MakeSpin(values, "TrendSamplePointsSpinEdit", 84, 40, 70),
             [&trend](int v) { trend.TrendSamplePointsSpinEditChange(v); });
    MakePanelLabel(values, "TrendPointLabel", build.Text(texts::TrendPointLabelCaption), 158, 40, 44);
    MakePanelLabel(values, "TrendSamplePeriodLabel", build.Text(texts::TrendSamplePeriodLabelCaption), 204,
                   40, 78);
    OnChange(MakeSpin(values, "TrendSamplePeriodSpinEdit", 284, 40, 70),
             [&trend](int v) { trend.TrendSamplePeriodSpinEditChange(v); });
    MakePanelLabel(values, "TrendSecondLabel", build.Text(texts::TrendSecondLabelCaption), 358, 40, 36);
    return qobject_cast<QGroupBox*>(values->parentWidget());
}

QGroupBox* BuildBarAttrGroupBox(const PanelBuild& build) {
    BarPanel& bar = build.Logic.Bar();
    QGroupBox* values = GraphBox(build, ElementKind::Bar, bar);
    MakePanelLabel(values, "BarDirectLabel", build.Text(texts::BarDirectLabelCaption), 8, 40, 74);
    QComboBox* direct = MakeCombo(values, "BarDirectComboBox", 84, 40, 108);
    QObject::connect(direct, &QComboBox::activated, direct,
                     [&bar](int v) { bar.BarDirectComboBoxChange(v); });
    return qobject_cast<QGroupBox*>(values->parentWidget());
}

}  // namespace qxed
