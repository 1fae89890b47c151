// The editor's pictures: every one the action table and the element buttons name is in the resource of the
// widget library, draws at its 16-pixel size with crisp dark lines, stays visible when Qt greys it out, and
// differs from the others. The sheet test renders the whole set into one PNG under the build folder, so
// people can look at it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QSvgRenderer>
#include <algorithm>
#include <cctype>
#include <map>
#include <string>
#include <vector>

#include "model/element.h"
#include "workbench/action_table.h"

namespace qxed {
namespace {

constexpr int kButtonSize = 16;

std::vector<std::string> ActionPictureNames() {
    std::vector<std::string> names;
    for (const ActionRow& row : Actions())
        if (!row.Icon.empty()) names.emplace_back(row.Icon);
    return names;
}

// The element buttons' pictures are named after the element kinds.
std::vector<std::string> ElementPictureNames() {
    std::vector<std::string> names;
    for (int code = kFirstElementKind; code <= kLastElementKind; ++code) {
        std::string kind(KindName(code));
        std::transform(kind.begin(), kind.end(), kind.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        names.push_back("element-" + kind);
    }
    return names;
}

// The program's own picture goes to the window and the desktop.
std::vector<std::string> AllPictureNames() {
    std::vector<std::string> names = ActionPictureNames();
    const std::vector<std::string> elements = ElementPictureNames();
    names.insert(names.end(), elements.begin(), elements.end());
    names.emplace_back("qxed");
    return names;
}

QString ResourcePath(const std::string& name) {
    return QString(":/icons/%1.svg").arg(QString::fromStdString(name));
}

QImage Render(const QIcon& icon, int size, QIcon::Mode mode = QIcon::Normal) {
    return icon.pixmap(QSize(size, size), mode).toImage().convertToFormat(QImage::Format_ARGB32);
}

QColor WindowColour() {
    return QApplication::palette().color(QPalette::Disabled, QPalette::Window);
}

// The greatest difference in grey level between the picture laid on the window colour and the colour
// itself: how well the picture stands out on a tool bar.
int Contrast(const QImage& picture) {
    QImage onWindow(picture.size(), QImage::Format_ARGB32);
    onWindow.fill(WindowColour());
    QPainter(&onWindow).drawImage(0, 0, picture);
    const int background = qGray(WindowColour().rgb());
    int best = 0;
    for (int y = 0; y < onWindow.height(); ++y)
        for (int x = 0; x < onWindow.width(); ++x)
            best = std::max(best, std::abs(qGray(onWindow.pixel(x, y)) - background));
    return best;
}

struct PixelCounts {
    int Dark = 0;         // opaque and dark: a line that falls on whole pixels
    int Transparent = 0;  // the tool bar shows through
};

PixelCounts Count(const QImage& image) {
    PixelCounts counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) == 0) ++counts.Transparent;
            if (qAlpha(pixel) >= 240 && qGray(pixel) <= 96) ++counts.Dark;
        }
    return counts;
}

TEST(Icons, EveryToolBarButtonHasAPicture) {
    for (const MenuEntry& entry : ToolBarEntries()) {
        if (!entry.Action) continue;
        const ActionRow& row = ActionOf(*entry.Action);
        EXPECT_FALSE(row.Icon.empty()) << row.Name;
    }
}

TEST(Icons, ResourceHoldsExactlyThePicturesTheProgramNames) {
    std::vector<std::string> expected = AllPictureNames();
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(std::adjacent_find(expected.begin(), expected.end()), expected.end())
        << "a picture is named twice";
    std::vector<std::string> held;
    for (const QString& file : QDir(":/icons").entryList(QDir::Files)) {
        ASSERT_TRUE(file.endsWith(".svg")) << file.toStdString();
        held.push_back(file.chopped(4).toStdString());
    }
    std::sort(held.begin(), held.end());
    EXPECT_EQ(held, expected);
}

// Each picture, one by one: plain SVG that needs no font or outside file, a valid drawing, and at
// 16 x 16 dark crisp lines on a transparent ground that still stand out when greyed.
TEST(Icons, EveryPictureLoadsAndDrawsLegiblyAtButtonSize) {
    for (const std::string& name : AllPictureNames()) {
        SCOPED_TRACE(name);
        QFile file(ResourcePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray source = file.readAll();
        for (const char* outside : {"<text", "<tspan", "<font", "font-family", "<image", "href"})
            EXPECT_FALSE(source.contains(outside)) << outside;
        EXPECT_TRUE(QSvgRenderer(source).isValid());

        const QIcon icon(ResourcePath(name));
        ASSERT_FALSE(icon.isNull());
        const QImage normal = Render(icon, kButtonSize);
        ASSERT_EQ(normal.size(), QSize(kButtonSize, kButtonSize));
        const PixelCounts counts = Count(normal);
        EXPECT_GE(counts.Dark, 8);
        EXPECT_GE(counts.Transparent, 8);
        EXPECT_GE(Contrast(normal), 120);
        EXPECT_GE(Contrast(Render(icon, kButtonSize, QIcon::Disabled)), 80);
    }
}

TEST(Icons, NoTwoPicturesLookTheSame) {
    std::map<QByteArray, std::string> seen;
    for (const std::string& name : AllPictureNames()) {
        const QImage image = Render(QIcon(ResourcePath(name)), kButtonSize);
        const QByteArray bits(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
        const auto [it, added] = seen.emplace(bits, name);
        EXPECT_TRUE(added) << name << " draws as " << it->second;
    }
}

// One row per picture: its name, then 16 and 32 pixels, normal and greyed, on the window colour.
TEST(Icons, SheetOfTheWholeSetIsWrittenForReview) {
    const std::vector<std::string> names = AllPictureNames();
    constexpr int kLabelWidth = 150;
    constexpr int kRowHeight = 36;
    constexpr int kColumnWidth = 40;
    const QSize sheetSize(kLabelWidth + 4 * kColumnWidth, 4 + kRowHeight * static_cast<int>(names.size()));
    QImage sheet(sheetSize, QImage::Format_ARGB32);
    sheet.fill(WindowColour());
    {
        QPainter painter(&sheet);
        painter.setPen(Qt::black);
        int top = 2;
        for (const std::string& name : names) {
            const QIcon icon(ResourcePath(name));
            painter.drawText(QRect(4, top, kLabelWidth - 8, 32), Qt::AlignVCenter,
                             QString::fromStdString(name));
            int left = kLabelWidth;
            for (const int size : {16, 32})
                for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled}) {
                    painter.drawPixmap(left, top + (32 - size) / 2, icon.pixmap(QSize(size, size), mode));
                    left += kColumnWidth;
                }
            top += kRowHeight;
        }
    }
    // The build folder is the parent of the programs' folder.
    const QString path = QDir::cleanPath(QApplication::applicationDirPath() + "/../icon-sheet.png");
    ASSERT_TRUE(sheet.save(path, "PNG")) << path.toStdString();
    const QImage reloaded(path);
    EXPECT_EQ(reloaded.size(), sheetSize);
    // The pictures are on it: the last column of the last row differs from the bare window colour.
    EXPECT_GT(
        Contrast(reloaded.copy(kLabelWidth + 3 * kColumnWidth, sheetSize.height() - kRowHeight - 2, 32, 32)),
        40);
}

}  // namespace
}  // namespace qxed
