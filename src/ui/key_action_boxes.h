#pragma once
#include <QAbstractButton>
#include <QButtonGroup>
#include <QGroupBox>
#include <QRect>

#include <cstdint>
#include <string>
#include <utility>

#include "text/language.h"
#include "text/texts.h"
#include "ui/panel_builders.h"
#include "ui/panel_controls.h"

namespace qxed {

// The four sub-groups of a key action, one over the other at one place inside box: the coil with its
// action, the page jump, the advanced function (PLC run or stop) and the set data. Key is the logic the
// controls forward to: an element key panel or the global key dialog, whose handlers share their names.
template <class Key>
void BuildKeyActionSubGroups(QWidget* box, const Language& language, const std::string& prefix, Key& key,
                             const QRect& place) {
    const auto text = [&language](const TextKey& textKey) { return language.TextUtf8(textKey); };
    const auto onClick = [](QAbstractButton* button, auto click) {
        QObject::connect(button, &QAbstractButton::clicked, button, click);
    };

    QGroupBox* coil = MakeGroupBox(box, prefix + "CoilGroupBox", text(texts::CoilGroupBoxCaption), place);
    CoilFieldsIn(
        coil, language, prefix + "Coil", 20,
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
        onClick(MakeRadio(coil, actions, prefix + coilActions[i].first, text(*coilActions[i].second),
                          8 + 126 * (i % 2), 80 + 26 * (i / 2), 124),
                [&key, i] { key.CoilActionRadioClick(i); });

    QGroupBox* jump =
        MakeGroupBox(box, prefix + "JmpCtrlGroupBox", text(texts::FuncKeyJmpCtrlGroupBoxCaption), place);
    auto* jumps = new QButtonGroup(jump);
    const std::pair<const char*, const TextKey*> targets[] = {
        {"JumpPageRadioButton", &texts::FuncKeyJumpPageRadioButtonCaption},
        {"JumpPasswordRadioButton", &texts::FuncKeyJumpPasswordRadioButtonCaption},
        {"JumpAlarmListRadioButton", &texts::FuncKeyJumpAlarmListRadioButtonCaption},
        {"JumpDateTimeRadioButton", &texts::FuncKeyJumpDateTimeRadioButtonCaption},
    };
    for (uint8_t i = 0; i < 4; ++i)
        onClick(MakeRadio(jump, jumps, prefix + targets[i].first, text(*targets[i].second), 8 + 126 * (i % 2),
                          20 + 26 * (i / 2), 124),
                [&key, i] { key.JumpRadioClick(i); });
    MakePanelLabel(jump, prefix + "JumpPageNoLabel", text(texts::FuncKeyJumpPageNoLabelCaption), 8, 80, 70);
    OnChange(MakeSpin(jump, prefix + "PageNoSpinEdit", 80, 80, 80),
             [&key](int v) { key.PageNoSpinEditChange(v); });

    QGroupBox* advanced =
        MakeGroupBox(box, prefix + "AdvanceGroupBox", text(texts::FuncKeyAdvanceGroupBoxCaption), place);
    auto* plc = new QButtonGroup(advanced);
    onClick(MakeRadio(advanced, plc, prefix + "PlcRunRadioButton",
                      text(texts::FuncKeyPlcRunRadioButtonCaption), 8, 20, 124),
            [&key] { key.PlcStopRadioClick(0); });
    onClick(MakeRadio(advanced, plc, prefix + "PlcStopRadioButton",
                      text(texts::FuncKeyPlcStopRadioButtonCaption), 8, 46, 124),
            [&key] { key.PlcStopRadioClick(1); });

    QGroupBox* reg = MakeGroupBox(box, prefix + "RegGroupBox", text(texts::RegGroupBoxCaption), place);
    RegisterFieldsIn(
        reg, language, prefix + "Reg", 20,
        {[&key](int v) { key.RegStationSpinEditChange(v); }, [&key](int v) { key.RegTypeComboBoxChange(v); },
         [&key](int v) { key.RegNoSpinEditChange(v); }, [&key](int v) { key.RegNumSpinEditChange(v); }});
    MakePanelLabel(reg, prefix + "RegValueLabel", text(texts::FuncKeyRegValueLabelCaption), 8, 98, 70);
    OnChange(MakeSpin(reg, prefix + "SetValueSpinEdit", 80, 98, 120),
             [&key](int v) { key.SetValueSpinEditChange(v); });
}

}  // namespace qxed
