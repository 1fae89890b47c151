#pragma once
#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "gfx/font_desc.h"
#include "gfx/mono_bitmap.h"
#include "model/editor_units.h"
#include "model/element_defaults.h"
#include "model/panel_model.h"
#include "model/project.h"
#include "text/code_page.h"

namespace qxed::bench {

// A page as full as the panel takes (255 elements) of every kind in turn, spread over the model's preview
// in rows so that they overlap as a crowded page does; for timing redraws and, with the preview widget, drag
// steps. The project gives the elements their defaults and takes the model.
inline Page MixedElementsPage(Project& project, int model) {
    constexpr int kElements = 255;
    project.Settings.CurrentModel = static_cast<uint8_t>(model);
    const PanelModel& panel = *FindPanelModel(model);
    const PreviewSize size = PreviewSizeOf(panel);
    const int z = panel.PreviewScale;
    MonoBitmap dots(32, 16);
    for (int x = 0; x < 32; ++x)
        dots.Set(x, x / 2, true);
    const std::vector<uint8_t> picture = EncodeMonoBmp(dots);
    FontDesc font;
    font.Name = GbkFromUtf8("宋体");
    font.SetSize(9);

    Page page;
    for (int i = 0; i < kElements; ++i) {
        const int kind = 1 + i % 12;
        Element e = NewElement(project, kind);
        e.X = (i * 37) % std::max(size.Width - 2 * z, 1);
        e.Y = (i * 23) % std::max(size.Height - z, 1);
        e.Double = static_cast<uint8_t>(i % 5 == 0);
        e.Inverse = static_cast<uint8_t>(i % 3 == 0);
        switch (static_cast<ElementKind>(kind)) {
            case ElementKind::Text:
                e.As<TextFields>().Content = GbkFromUtf8("温度") + "T" + std::to_string(i);
                break;
            case ElementKind::FuncKey:
                e.As<FuncKeyFields>().Action.Key = i % 42;
                e.As<FuncKeyFields>().Action.Disappear = static_cast<uint8_t>(i % 4 == 0);
                break;
            case ElementKind::Trend:
                e.As<TrendFields>().Width = 3 * z;
                e.As<TrendFields>().Height = 2 * z;
                break;
            case ElementKind::Bar:
                e.As<BarFields>().Width = z;
                e.As<BarFields>().Height = 2 * z;
                e.As<BarFields>().Direct = i % 4;
                break;
            case ElementKind::Pic:
                e.As<PicFields>().Bitmap = picture;
                e.As<PicFields>().Width = ToEditorUnits(32, z);
                e.As<PicFields>().Height = ToEditorUnits(16, z);
                break;
            case ElementKind::FontText:
                e.As<FontTextFields>().Font = font;
                break;
            case ElementKind::TouchKey:
                e.As<TouchKeyFields>().Font = font;
                break;
            case ElementKind::VarFontText:
                e.As<VarFontTextFields>().Font = font;
                break;
            case ElementKind::ASCIIText:
                e.As<ASCIITextFields>().CharNum = 6;
                break;
            default:
                break;
        }
        page.Elements.push_back(std::move(e));
    }
    return page;
}

// The median time of one run in microseconds, over the runs given.
inline double MedianMicroseconds(int runs, const std::function<void()>& run) {
    using Clock = std::chrono::steady_clock;
    std::vector<double> times;
    for (int i = 0; i < std::max(runs, 1); ++i) {
        const auto start = Clock::now();
        run();
        times.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace qxed::bench
