#include "image/image_format.h"

#include "model/panel_model.h"

namespace qxed::image_format {

bool CarriesGlobalKeys(int modelIndex) {
    switch (modelIndex) {
        case 2:
        case 4:
        case 6:
        case 7:
        case 10:
        case 11:
            return true;
        default:
            return false;
    }
}

bool UsesRowLayout(int modelIndex) {
    return IsLargePanel(modelIndex);
}

int CoordinateWidth(int modelIndex) {
    return modelIndex == 2 ? 2 : 1;
}

}  // namespace qxed::image_format
