#include "workbench/preview_graphs.h"

#include <array>
#include <initializer_list>
#include <vector>

#include "model/editor_units.h"
#include "model/element.h"

namespace qxed {

namespace {

// Coordinates are worked out in 64 bits, so that a position plus a size from a damaged file cannot
// overflow, and then held to the range the canvas takes.
using Wide = int64_t;

struct WidePoint {
    Wide X;
    Wide Y;
};

Point Narrow(WidePoint p) {
    return Point{ClampToInt32(p.X), ClampToInt32(p.Y)};
}

void Polyline(Canvas& canvas, std::initializer_list<WidePoint> points) {
    std::vector<Point> narrow;
    narrow.reserve(points.size());
    for (const WidePoint& p : points)
        narrow.push_back(Narrow(p));
    canvas.Polyline(narrow);
}

void Line(Canvas& canvas, Wide x1, Wide y1, Wide x2, Wide y2) {
    Polyline(canvas, {{x1, y1}, {x2, y2}});
}

void Fill(Canvas& canvas, Wide left, Wide top, Wide right, Wide bottom, Color color) {
    canvas.SetBrushColor(color);
    canvas.FillRect(ClampToInt32(left), ClampToInt32(top), ClampToInt32(right), ClampToInt32(bottom));
    canvas.SetBrushColor(kWhite);
}

// A tick drawn twice: on its row (or column) and on the one before it.
void HorizontalTick(Canvas& canvas, Wide row, Wide from, Wide to) {
    Line(canvas, from, row, to, row);
    Line(canvas, from, row - 1, to, row - 1);
}

void VerticalTick(Canvas& canvas, Wide column, Wide from, Wide to) {
    Line(canvas, column, from, column, to);
    Line(canvas, column - 1, from, column - 1, to);
}

// The sample curve: (k, m) steps the time axis in fifteenths and the value axis in twentieths.
constexpr std::array<WidePoint, 6> kSampleCurve{{{0, 4}, {2, 8}, {3, 5}, {9, 12}, {10, 10}, {15, 16}}};

}  // namespace

void DrawTrendGraph(Canvas& canvas, int left, int top, int width, int height) {
    const Wide x = left, y = top, w = width, h = height;
    Fill(canvas, x, y, x + w, y + h, kWhite);
    canvas.SetPenColor(kBlack);
    // The value axis with its arrow head.
    Line(canvas, x, y + 5, x + 4, y + 1);
    Polyline(canvas, {{x, y + 4}, {x + 4, y}, {x + 4, y + h - 4}});
    Line(canvas, x + 5, y, x + 5, y + h - 4);
    // Its ticks at a quarter, half and three quarters.
    HorizontalTick(canvas, y + (h - 4) / 4, x + 2, x + 4);
    HorizontalTick(canvas, y + (2 * h - 8) / 4, x, x + 4);
    HorizontalTick(canvas, y + (h - 4) * 3 / 4, x + 2, x + 4);
    // The time axis, two pixels thick, with its arrow head.
    Line(canvas, x, y + h - 5, x + w, y + h - 5);
    Line(canvas, x, y + h - 6, x + w, y + h - 6);
    Line(canvas, x + w - 5, y + h - 1, x + w - 1, y + h - 5);
    Line(canvas, x + w - 6, y + h - 1, x + w - 2, y + h - 5);
    // The sample curve, also two pixels thick.
    const Wide c = x + 4, W = w - 4, H = h - 4, base = y + H - 1;
    for (Wide lower : {0, 1}) {
        std::vector<Point> curve;
        for (const WidePoint& step : kSampleCurve)
            curve.push_back(Narrow({c + W * step.X / 15, base - H * step.Y / 20 + lower}));
        canvas.Polyline(curve);
    }
}

void DrawBarGraph(Canvas& canvas, int left, int top, int width, int height, int32_t direct) {
    const Wide x = left, y = top, w = width, h = height;
    Fill(canvas, x, y, x + w, y + h, kWhite);
    canvas.SetPenColor(kBlack);
    if (direct == BarFields::kRight || direct == BarFields::kLeft) {
        Polyline(canvas, {{x, y + h - 1}, {x, y}, {x + w - 1, y}, {x + w - 1, y + h}});
        Polyline(canvas, {{x + 1, y + h - 1}, {x + 1, y + 1}, {x + w - 2, y + 1}, {x + w - 2, y + h}});
        // The scale along the bottom, two pixels thick, with ticks at the quarters.
        Line(canvas, x, y + h - 5, x + w, y + h - 5);
        Line(canvas, x, y + h - 6, x + w, y + h - 6);
        VerticalTick(canvas, x + w / 4, y + h - 4, y + h - 2);
        VerticalTick(canvas, x + 2 * w / 4, y + h - 4, y + h);
        VerticalTick(canvas, x + 3 * w / 4, y + h - 4, y + h - 2);
        if (direct == BarFields::kRight)
            Fill(canvas, x, y, x + w / 3, y + h - 4, kBlack);
        else
            Fill(canvas, x + 2 * w / 3, y, x + w, y + h - 4, kBlack);
        return;
    }
    Polyline(canvas, {{x, y}, {x + w - 1, y}, {x + w - 1, y + h - 1}, {x - 1, y + h - 1}});
    Polyline(canvas, {{x, y + 1}, {x + w - 2, y + 1}, {x + w - 2, y + h - 2}, {x - 1, y + h - 2}});
    // The scale along the left, two pixels thick, with ticks at the quarters.
    Line(canvas, x + 4, y, x + 4, y + h);
    Line(canvas, x + 5, y, x + 5, y + h);
    HorizontalTick(canvas, y + h / 4, x + 2, x + 4);
    HorizontalTick(canvas, y + 2 * h / 4, x, x + 4);
    HorizontalTick(canvas, y + 3 * h / 4, x + 2, x + 4);
    // A direction a damaged file may hold beyond the four gets the frame without a bar.
    if (direct == BarFields::kUp)
        Fill(canvas, x + 4, y + 2 * h / 3, x + w, y + h, kBlack);
    else if (direct == BarFields::kDown)
        Fill(canvas, x + 4, y, x + w, y + h / 3, kBlack);
}

void DrawTouchKeyFrame(Canvas& canvas, const Rect& r, Color color) {
    const Wide l = r.Left, t = r.Top, right = r.Right, b = r.Bottom;
    canvas.SetPenColor(color);
    Polyline(canvas, {{l, t},
                      {right - 3, t},
                      {right - 3, b - 3},
                      {l, b - 3},
                      {l, t + 1},
                      {right - 4, t + 1},
                      {right - 4, b - 4},
                      {l + 1, b - 4},
                      {l + 1, t + 1}});
    // The shadow on the right and at the bottom, two pixels wide.
    Polyline(canvas, {{right - 1, t + 2}, {right - 1, b - 1}, {l + 1, b - 1}});
    Polyline(canvas, {{right - 2, t + 2}, {right - 2, b - 2}, {l + 1, b - 2}});
    canvas.SetPenColor(kBlack);
}

}  // namespace qxed
