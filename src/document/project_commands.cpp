#include "document/project_commands.h"

namespace qxed {

Change SetSettings::Run(EditTarget& target) const {
    if (target.Content.Settings == Value) return {};
    target.Content.Settings = Value;
    return Change{Change::Settings};
}

Change SetAlarmList::Run(EditTarget& target) const {
    ProjectSettings& settings = target.Content.Settings;
    if (settings.AlarmCount == Count && settings.AlarmCoil == Coil && target.Content.AlarmTexts == Texts)
        return {};
    settings.AlarmCount = Count;
    settings.AlarmCoil = Coil;
    target.Content.AlarmTexts = Texts;
    return Change{Change::Alarms | Change::Settings};
}

Change SetGlobalKeys::Run(EditTarget& target) const {
    if (target.Content.GlobalKeyCount == Count && target.Content.GlobalKeys == Keys) return {};
    target.Content.GlobalKeyCount = Count;
    target.Content.GlobalKeys = Keys;
    return Change{Change::Keys};
}

Change SetSettingsAndKeyCount::Run(EditTarget& target) const {
    Change change;
    if (!(target.Content.Settings == Settings)) {
        target.Content.Settings = Settings;
        change.Parts |= Change::Settings;
    }
    if (target.Content.GlobalKeyCount != KeyCount) {
        target.Content.GlobalKeyCount = KeyCount;
        change.Parts |= Change::Keys;
    }
    return change;
}

}  // namespace qxed
