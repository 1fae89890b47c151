#include "model/panel_model.h"

#include <array>

#include "model/editor_units.h"
#include "text/language.h"
#include "text/texts.h"

namespace qxed {
namespace {

using enum Keypad;
constexpr int U = kGlobalKeysUnchanged;

// clang-format off
constexpr std::array<PanelModel, PanelModelCount> kPanelModels{{
//   idx  code      display name             screen     Z  grid chars alarms keys keypad    touch kpd lamp
    { 0, "QX210",  &texts::ModelQx210Str,  192,  64, 36,  9,  24,   128,   U, Qx210Key, false, 'd', 'd'},
    { 1, "QX220",  &texts::ModelQx220Str,  192,  64, 36,  9,  24,   128,   U, Qx22Key,  false, 't', 'd'},
    { 2, "QX420",  &texts::ModelQx420Str,  320, 240, 20, 10,  40,   256,  20, Qx420Key, false, 'o', 'o'},
    { 3, "QX221",  &texts::ModelQx221Str,  192,  64, 36,  9,  24,   128,   U, Qx22Key,  false, 'l', 'd'},
    { 4, "QX222",  &texts::ModelQx222Str,  192,  64, 36,  9,  24,   128,   8, Qx222Key, false, 's', 'd'},
    { 5, "QX204",  &texts::ModelQx204Str,  128,  64, 36,  9,  16,   128,   U, Qx210Key, false, 'd', 'd'},
    { 6, "QX223",  &texts::ModelQx223Str,  192,  64, 36,  9,  24,   128,   8, Qx222Key, true,  's', 'd'},
    { 7, "QX421",  &texts::ModelQx421Str,  240, 128, 20, 10,  30,   256,  20, Qx420Key, false, 'o', 'o'},
    { 8, "QX2201", &texts::ModelQx2201Str, 192,  64, 36,  9,  24,   128,   U, Qx22Key,  false, 't', 'd'},
    { 9, "QX205",  &texts::ModelQx205Str,  128,  64, 36,  9,  16,   128,   U, None,     true,  's', 'd'},
    {10, "QX325",  &texts::ModelQx325Str,  192,  64, 36,  9,  24,   128,   4, Qx325Key, true,  's', 'd'},
    {11, "QX224",  &texts::ModelQx224Str,  192,  64, 36,  9,  24,   128,   8, Qx222Key, false, 's', 'd'},
    {12, "QX225",  &texts::ModelQx225Str,  128,  64, 36,  9,  16,   128,   U, Qx22Key,  false, 't', 'd'},
}};
// clang-format on

}  // namespace

const PanelModel* FindPanelModel(int index) {
    if (index < 0 || index >= PanelModelCount) return nullptr;
    return &kPanelModels[static_cast<std::size_t>(index)];
}

std::optional<int> PanelModelOfCode(std::string_view code) {
    for (const PanelModel& model : kPanelModels) {
        if (model.Code == code) return model.Index;
    }
    return std::nullopt;
}

std::string ModelName(const Language& language, int index) {
    const PanelModel* model = FindPanelModel(index);
    return model ? language.Text(*model->DisplayName) : std::string{};
}

PreviewSize PreviewSizeOf(const PanelModel& model) {
    return {ToEditorUnits(model.ScreenWidth, model.PreviewScale),
            ToEditorUnits(model.ScreenHeight, model.PreviewScale)};
}

}  // namespace qxed
