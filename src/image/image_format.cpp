#include "image/image_format.h"

#include "model/panel_model.h"

namespace qxed::image_format {

bool CarriesGlobalKeys(int modelIndex) {
    const PanelModel* model = FindPanelModel(modelIndex);
    return model != nullptr && model->GlobalKeyCount != kGlobalKeysUnchanged;
}

bool UsesRowLayout(int modelIndex) {
    return IsLargePanel(modelIndex);
}

int CoordinateWidth(int modelIndex) {
    return modelIndex == 2 ? 2 : 1;
}

}  // namespace qxed::image_format
