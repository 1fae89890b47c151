#pragma once
#include <cstdint>

#include "document/command.h"
#include "document/project_commands.h"
#include "model/project.h"

namespace qxed {

// Elements that lie off the image of the project's model (after a change to a smaller one) go back to 0 on
// the axis where they are off, as the preview draws them. True when any moved.
bool PullBackOffScreen(Project& project);

// A change of the panel model as one edit: the settings and global key count the model gives the project,
// and every element of every page pulled back onto the new screen, so that what is stored is what is shown.
struct ChangeModel : SetSettingsAndKeyCount {
    using SetSettingsAndKeyCount::SetSettingsAndKeyCount;
    Change Run(EditTarget& target) const override;
};

}  // namespace qxed
