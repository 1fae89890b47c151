// Runs the input as a screen data image on the virtual panel: the first byte chooses the panel model
// (modulo 13), the rest is the image. An image that starts must draw every page and take every key of the
// model, a touch across the screen and a long wait, and keep the screen the model's size; every read stays
// inside the image (the sanitizers watch it).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "model/panel_model.h"
#include "vpanel/virtual_panel.h"

namespace {

using namespace qxed;

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "virtual panel fuzzer: %s\n", what);
    std::abort();
}

// A font whose every glyph differs, so that drawing reads real dots; no file is needed.
PanelFont Font() {
    std::vector<uint8_t> rows(PanelFont::kBytes);
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i] = static_cast<uint8_t>(i * 37 + i / 16);
    return *PanelFont::FromBytes(rows);
}

void CheckScreen(const VirtualPanel& panel, const PanelModel& model) {
    const MonoBitmap screen = panel.Screen();
    if (screen.Width != model.ScreenWidth || screen.Height != model.ScreenHeight)
        Fail("the screen is not the model's size");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const int modelIndex = data[0] % PanelModelCount;
    const PanelModel& model = *FindPanelModel(modelIndex);
    static const PanelFont font = Font();
    PanelStartResult started = VirtualPanel::Start(std::vector<uint8_t>(data + 1, data + size), modelIndex, font);
    if (!started.Panel) {
        if (started.Error.empty()) Fail("an image was refused without a reason");
        return 0;
    }
    VirtualPanel& panel = *started.Panel;
    CheckScreen(panel, model);
    // The operands it uses hold values, so that registers, lamps and lists show something.
    uint16_t value = 1;
    for (const UsedOperand& used : panel.UsedOperands()) {
        if (used.Coil)
            panel.SetCoil(used.Operand, (value & 1) != 0);
        else
            panel.SetRegister(used.Operand, value);
        value = static_cast<uint16_t>(value * 31 + 7);
    }
    for (const ImagePage& page : panel.Image().Pages) {
        panel.ShowPage(page.Number);
        CheckScreen(panel, model);
        for (const int key : panel.Keys()) {
            panel.Press(key);
            CheckScreen(panel, model);
        }
        for (int y = 0; y < model.ScreenHeight; y += 16)
            for (int x = 0; x < model.ScreenWidth; x += 16)
                panel.Touch(x, y);
        panel.Advance(61 * 60 * 1000);
        CheckScreen(panel, model);
    }
    return 0;
}
