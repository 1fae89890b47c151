#include "gfx/text_render.h"

#include <QColor>
#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QString>

#include <algorithm>
#include <cstdint>
#include <mutex>
#include <optional>
#include <utility>

#include "gfx/gfx_session.h"
#include "text/code_page.h"

namespace qxed {

namespace {

// Bounds the glyph sizes a damaged or hostile font description can ask for.
constexpr int kMaxPixelSize = 1024;
// A height of 0 asks for the default height.
constexpr int kDefaultPixelSize = 12;

int CellHeight(const QFont& font) {
    const QFontMetrics metrics(font);
    return metrics.ascent() + metrics.descent();
}

// A positive height is the cell height: the largest em size whose ascent + descent fits in it.
int PixelSizeForCell(QFont font, int cellHeight) {
    int best = 1;
    int lo = 1;
    int hi = std::min(cellHeight, kMaxPixelSize);
    while (lo <= hi) {
        const int mid = lo + (hi - lo) / 2;
        font.setPixelSize(mid);
        if (CellHeight(font) <= cellHeight) {
            best = mid;
            lo = mid + 1;
        } else {
            hi = mid - 1;
        }
    }
    return best;
}

QString Decoded(std::string_view bytes, CodePage codePage) {
    return QString::fromStdString(ToUtf8ForDisplay(bytes, codePage));
}

QFont BuildFont(const FontDesc& desc, CodePage codePage) {
    QFont font;
    if (!desc.Name.empty()) font.setFamily(Decoded(desc.Name, codePage));
    font.setStyleStrategy(QFont::NoAntialias);
    font.setBold((desc.Style & FontDesc::kBold) != 0);
    font.setItalic((desc.Style & FontDesc::kItalic) != 0);
    font.setUnderline((desc.Style & FontDesc::kUnderline) != 0);
    font.setStrikeOut((desc.Style & FontDesc::kStrikeOut) != 0);
    if (desc.Pitch == FontDesc::kFixedPitch) {
        font.setFixedPitch(true);
        font.setStyleHint(QFont::TypeWriter, QFont::NoAntialias);
    }
    if (desc.Height < 0) {
        font.setPixelSize(static_cast<int>(std::min<int64_t>(-int64_t{desc.Height}, kMaxPixelSize)));
    } else if (desc.Height == 0) {
        font.setPixelSize(kDefaultPixelSize);
    } else {
        font.setPixelSize(PixelSizeForCell(font, desc.Height));
    }
    return font;
}

// Measuring is repeated for the same font many times (texts are shortened one byte at a time until
// they fit), and finding the size for a cell height takes several metric queries; keep the last one.
// The cache is never destroyed, so no font outlives the application object at exit.
QFont FontFor(const FontDesc& desc, CodePage codePage) {
    RequireGraphicsSession("text measuring and drawing");
    struct Cache {
        std::mutex Lock;
        std::optional<FontDesc> Desc;
        CodePage Page = CodePage::Gbk;
        QFont Font;
    };
    static auto* cache = new Cache;
    // The colour does not change the glyphs; inverse texts swap it back and forth.
    FontDesc key = desc;
    key.Color = kBlack;
    const std::lock_guard<std::mutex> guard(cache->Lock);
    if (!cache->Desc || !(*cache->Desc == key) || cache->Page != codePage) {
        cache->Font = BuildFont(key, codePage);
        cache->Desc = std::move(key);
        cache->Page = codePage;
    }
    return cache->Font;
}

}  // namespace

Size MeasureText(const FontDesc& font, std::string_view bytes, CodePage codePage) {
    const QFontMetrics metrics(FontFor(font, codePage));
    return Size{metrics.horizontalAdvance(Decoded(bytes, codePage)), metrics.ascent() + metrics.descent()};
}

MonoBitmap RenderTextInk(const FontDesc& font, std::string_view bytes, CodePage codePage, const Rect& part) {
    MonoBitmap ink(part.Right - part.Left, part.Bottom - part.Top);
    if (ink.Width == 0 || ink.Height == 0) return ink;
    QImage image(ink.Width, ink.Height, QImage::Format_RGB32);
    if (image.isNull()) return MonoBitmap();
    image.fill(Qt::white);
    {
        // The face's own underline position often lies below the cell at small sizes, where it would
        // be cut off; the underline is drawn on the cell's lowest rows instead.
        QFont glyphFont = FontFor(font, codePage);
        const bool underline = glyphFont.underline();
        glyphFont.setUnderline(false);
        const QFontMetrics metrics(glyphFont);
        const QString text = Decoded(bytes, codePage);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setFont(glyphFont);
        painter.setPen(Qt::black);
        painter.drawText(QPoint(-part.Left, metrics.ascent() - part.Top), text);
        if (underline) {
            const int cell = metrics.ascent() + metrics.descent();
            const int thickness = std::max(metrics.lineWidth(), 1);
            const int top =
                std::max(std::min(metrics.ascent() + metrics.underlinePos(), cell - thickness), 0);
            painter.fillRect(-part.Left, top - part.Top, metrics.horizontalAdvance(text), thickness,
                             Qt::black);
        }
    }
    const QRgb white = QColor(Qt::white).rgb();
    for (int y = 0; y < ink.Height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < ink.Width; ++x)
            ink.Set(x, y, line[x] != white);
    }
    return ink;
}

std::string ResolvedFamily(const FontDesc& font, CodePage codePage) {
    return QFontInfo(FontFor(font, codePage)).family().toStdString();
}

int ResolvedPixelSize(const FontDesc& font, CodePage codePage) {
    return FontFor(font, codePage).pixelSize();
}

}  // namespace qxed
