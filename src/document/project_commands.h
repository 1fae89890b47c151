#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "document/command.h"
#include "model/key_action.h"
#include "model/project.h"
#include "model/project_settings.h"

namespace qxed {

// The whole settings block as a dialog leaves it (PLC selection, model, panel settings).
struct SetSettings : Command {
    explicit SetSettings(ProjectSettings settings) : Value(settings) {}
    ProjectSettings Value;
    Change Run(EditTarget& target) const override;
};

// The alarm list dialog's result: the count and start coil of the settings block and the texts.
struct SetAlarmList : Command {
    SetAlarmList(int32_t count, PlcAddress coil, std::array<std::string, kMaxAlarmTexts> texts)
        : Count(count), Coil(coil), Texts(std::move(texts)) {}
    int32_t Count;
    PlcAddress Coil;
    std::array<std::string, kMaxAlarmTexts> Texts;
    Change Run(EditTarget& target) const override;
};

// The global function keys and their count.
struct SetGlobalKeys : Command {
    SetGlobalKeys(int32_t count, std::array<KeyAction, kGlobalKeySlots> keys) : Count(count), Keys(keys) {}
    int32_t Count;
    std::array<KeyAction, kGlobalKeySlots> Keys;
    Change Run(EditTarget& target) const override;
};

// Settings and global key count together, for what a model change does to a project (option bits cleared,
// the model's key count).
struct SetSettingsAndKeyCount : Command {
    SetSettingsAndKeyCount(ProjectSettings settings, int32_t keyCount)
        : Settings(settings), KeyCount(keyCount) {}
    ProjectSettings Settings;
    int32_t KeyCount;
    Change Run(EditTarget& target) const override;
};

}  // namespace qxed
