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
#include "ui/key_action_boxes.h"
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

    BuildKeyActionSubGroups(box, build.Texts, prefix, key, kSubGroup);
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
