// The group boxes of the function key and the touch key: the function radios on the left, the sub-group of
// the chosen function on the right, all four in one place.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include "panels/panel_table.h"
#include "panels/property_panel.h"
#include "text/language.h"
#include "text/texts.h"
#include "ui/panel_builders.h"
#include "ui/panel_controls.h"
#include "ui/qt_text.h"

namespace qxed {

namespace {

const QRect kSubGroup{250, 50, 282, 164};

void OnClick(QAbstractButton* button, const std::function<void()>& click) {
    QObject::connect(button, &QAbstractButton::clicked, button, click);
}

// The function group and the four sub-groups; the check boxes of the function group that the kind adds
// start at row extraTop.
QGroupBox* KeyActionBoxes(const PanelBuild& build, QGroupBox* box, const std::string& prefix, KeyPanel& key) {
    QGroupBox* function = MakeGroupBox(box, prefix + "ContentGroupBox",
                                       build.Text(texts::FuncKeyContentGroupBoxCaption), {114, 18, 130, 196});
    auto* functions = new QButtonGroup(function);
    const std::pair<const char*, const TextKey*> radios[] = {
        {"SetCoilRadioButton", &texts::FuncKeySetCoilRadioButtonCaption},
        {"JmpCtrlRadioButton", &texts::FuncKeyJmpCtrlRadioButtonCaption},
        {"AdvanceRadioButton", &texts::FuncKeyAdvanceRadioButtonCaption},
        {"SetRegRadioButton", &texts::FuncKeySetRegRadioButtonCaption},
    };
    const uint8_t codes[] = {KeyAction::kSetCoil, KeyAction::kPageJump, KeyAction::kAdvanced,
                             KeyAction::kSetData};
    for (int i = 0; i < 4; ++i) {
        const uint8_t code = codes[i];
        OnClick(MakeRadio(function, functions, prefix + radios[i].first, build.Text(*radios[i].second), 8,
                          20 + 24 * i, 118),
                [&key, code] { key.FunctionRadioClick(code); });
    }
    QObject::connect(MakeCheck(function, prefix + "EncryptCheckBox",
                               build.Text(texts::EncryptCheckBoxCaption), 8, 120, 118),
                     &QCheckBox::clicked, function,
                     [&key](bool checked) { key.EncryptCheckBoxClick(checked); });
    QObject::connect(MakeCheck(function, prefix + "DisappearCheckBox",
                               build.Text(texts::FuncKeyDisappearCheckBoxCaption), 8, 144, 118),
                     &QCheckBox::clicked, function,
                     [&key](bool checked) { key.DisappearCheckBoxClick(checked); });

    QGroupBox* coil =
        MakeGroupBox(box, prefix + "CoilGroupBox", build.Text(texts::CoilGroupBoxCaption), kSubGroup);
    build.CoilFields(
        coil, prefix + "Coil", 20,
        {[&key](int v) { key.CoilStationSpinEditChange(v); },
         [&key](int v) { key.CoilTypeComboBoxChange(v); }, [&key](int v) { key.CoilNoSpinEditChange(v); },
         [&key](int v) { key.CoilNoComboBoxChange(v); }});
    auto* actions = new QButtonGroup(coil);
    const std::pair<const char*, const TextKey*> coilActions[] = {
        {"SetOnRadioButton", &texts::FuncKeySetOnRadioButtonCaption},
        {"SetOffRadioButton", &texts::FuncKeySetOffRadioButtonCaption},
        {"ReverseRadioButton", &texts::FuncKeyReverseRadioButtonCaption},
        {"MomentOnRadioButton", &texts::FuncKeyMomentOnRadioButtonCaption},
    };
    for (uint8_t i = 0; i < 4; ++i)
        OnClick(MakeRadio(coil, actions, prefix + coilActions[i].first, build.Text(*coilActions[i].second),
                          8 + 126 * (i % 2), 80 + 26 * (i / 2), 124),
                [&key, i] { key.CoilActionRadioClick(i); });

    QGroupBox* jump = MakeGroupBox(box, prefix + "JmpCtrlGroupBox",
                                   build.Text(texts::FuncKeyJmpCtrlGroupBoxCaption), kSubGroup);
    auto* jumps = new QButtonGroup(jump);
    const std::pair<const char*, const TextKey*> targets[] = {
        {"JumpPageRadioButton", &texts::FuncKeyJumpPageRadioButtonCaption},
        {"JumpPasswordRadioButton", &texts::FuncKeyJumpPasswordRadioButtonCaption},
        {"JumpAlarmListRadioButton", &texts::FuncKeyJumpAlarmListRadioButtonCaption},
        {"JumpDateTimeRadioButton", &texts::FuncKeyJumpDateTimeRadioButtonCaption},
    };
    for (uint8_t i = 0; i < 4; ++i)
        OnClick(MakeRadio(jump, jumps, prefix + targets[i].first, build.Text(*targets[i].second),
                          8 + 126 * (i % 2), 20 + 26 * (i / 2), 124),
                [&key, i] { key.JumpRadioClick(i); });
    MakePanelLabel(jump, prefix + "JumpPageNoLabel", build.Text(texts::FuncKeyJumpPageNoLabelCaption), 8, 80,
                   70);
    OnChange(MakeSpin(jump, prefix + "PageNoSpinEdit", 80, 80, 80),
             [&key](int v) { key.PageNoSpinEditChange(v); });

    QGroupBox* advanced = MakeGroupBox(box, prefix + "AdvanceGroupBox",
                                       build.Text(texts::FuncKeyAdvanceGroupBoxCaption), kSubGroup);
    auto* plc = new QButtonGroup(advanced);
    OnClick(MakeRadio(advanced, plc, prefix + "PlcRunRadioButton",
                      build.Text(texts::FuncKeyPlcRunRadioButtonCaption), 8, 20, 124),
            [&key] { key.PlcStopRadioClick(0); });
    OnClick(MakeRadio(advanced, plc, prefix + "PlcStopRadioButton",
                      build.Text(texts::FuncKeyPlcStopRadioButtonCaption), 8, 46, 124),
            [&key] { key.PlcStopRadioClick(1); });

    QGroupBox* reg =
        MakeGroupBox(box, prefix + "RegGroupBox", build.Text(texts::RegGroupBoxCaption), kSubGroup);
    build.RegisterFields(
        reg, prefix + "Reg", 20,
        {[&key](int v) { key.RegStationSpinEditChange(v); }, [&key](int v) { key.RegTypeComboBoxChange(v); },
         [&key](int v) { key.RegNoSpinEditChange(v); }, [&key](int v) { key.RegNumSpinEditChange(v); }});
    MakePanelLabel(reg, prefix + "RegValueLabel", build.Text(texts::FuncKeyRegValueLabelCaption), 8, 98, 70);
    OnChange(MakeSpin(reg, prefix + "SetValueSpinEdit", 80, 98, 120),
             [&key](int v) { key.SetValueSpinEditChange(v); });
    return function;
}

}  // namespace

QGroupBox* BuildFuncKeyAttrGroupBox(const PanelBuild& build) {
    FuncKeyPanel& key = build.Logic.FuncKey();
    QGroupBox* box = build.ElementBox(PanelRowOf(static_cast<int32_t>(ElementKind::FuncKey)), key);
    QGroupBox* function = KeyActionBoxes(build, box, "FuncKey", key);
    QObject::connect(MakeCheck(function, "FuncKeyWithHandCheckBox",
                               build.Text(texts::FuncKeyWithHandCheckBoxCaption), 8, 168, 118),
                     &QCheckBox::clicked, function,
                     [&key](bool checked) { key.FuncKeyWithHandCheckBoxClick(checked); });
    MakePanelLabel(box, "FuncKeyLabel", build.Text(texts::FuncKeyLabelCaption), 254, 22, 40);
    QComboBox* type = MakeCombo(box, "FuncKeyTypeComboBox", 296, 22, 150);
    QObject::connect(type, &QComboBox::activated, type, [&key](int v) { key.FuncKeyTypeComboBoxChange(v); });
    return box;
}

QGroupBox* BuildTouchKeyAttrGroupBox(const PanelBuild& build) {
    TouchKeyPanel& key = build.Logic.TouchKey();
    QGroupBox* box = build.ElementBox(PanelRowOf(static_cast<int32_t>(ElementKind::TouchKey)), key);
    QGroupBox* function = KeyActionBoxes(build, box, "TouchKey", key);
    QObject::connect(MakeCheck(function, "TouchKeyIndicateCheckBox",
                               build.Text(texts::TouchKeyIndicateCheckBoxCaption), 8, 168, 118),
                     &QCheckBox::clicked, function,
                     [&key](bool checked) { key.TouchKeyIndicateCheckBoxClick(checked); });
    MakePanelLabel(box, "TouchKeyContentLabel", build.Text(texts::TouchKeyContentLabelCaption), 254, 22, 44);
    PanelLineEdit* content = MakeEdit(box, "TouchKeyContentEdit", build.TextCodePage, 300, 22, 150);
    const CodePage codePage = build.TextCodePage;
    content->OnFocusIn = [&key, content, codePage] {
        key.TouchKeyContentEditEnter(BytesOf(content->text(), codePage));
    };
    content->OnReturn = [&key, content, codePage] {
        key.TouchKeyContentEditReturn(BytesOf(content->text(), codePage));
    };
    content->OnEscape = [&key] { key.TouchKeyContentEditEscape(); };
    QObject::connect(content, &QLineEdit::textEdited, content, [&key, codePage](const QString& text) {
        key.TouchKeyContentEditChange(BytesOf(text, codePage));
    });
    QPushButton* font =
        MakePanelButton(box, "TouchKeyFontButton", build.Text(texts::FontTextFontButtonCaption), 456, 21, 76);
    font->setToolTip(Qs(SplitHint(build.Text(texts::FontTextFontButtonHint)).Tooltip));
    QObject::connect(font, &QPushButton::clicked, font, [&key] { key.TouchKeyFontButtonClick(); });
    return box;
}

}  // namespace qxed
