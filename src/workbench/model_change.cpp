#include "workbench/model_change.h"

#include "workbench/element_rect.h"

namespace qxed {

bool PullBackOffScreen(Project& project) {
    const int model = project.Settings.CurrentModel;
    const RectContext context = RectContextOf(model, project.Defaults.TextCodePage);
    const Size image = PreviewImageSize(model);
    bool moved = false;
    for (Page& page : project.Pages()) {
        for (const PulledBack& position : ElementsPulledBack(page, context, image)) {
            Element& element = page.Elements[position.Index];
            element.X = position.X;
            element.Y = position.Y;
            moved = true;
        }
    }
    return moved;
}

Change ChangeModel::Run(EditTarget& target) const {
    Change change = SetSettingsAndKeyCount::Run(target);
    if (PullBackOffScreen(target.Content)) change.Parts |= Change::Page | Change::PageList;
    return change;
}

}  // namespace qxed
