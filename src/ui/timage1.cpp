#include "ui/timage1.h"

#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "workbench/element_placing.h"

namespace qxed {

namespace {

MouseButton ButtonOf(Qt::MouseButton button) {
    switch (button) {
        case Qt::RightButton:
            return MouseButton::Right;
        case Qt::MiddleButton:
            return MouseButton::Middle;
        default:
            return MouseButton::Left;
    }
}

}  // namespace

TImage1::TImage1(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Image1"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);  // the ghost follows the mouse while an element is placed
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TImage1::SetLogic(PagePreview* preview, ElementPlacing* placing) {
    preview_ = preview;
    placing_ = placing;
    if (preview_ != nullptr) preview_->SetView(this);
}

void TImage1::PreviewChanged() {
    update();
}

QImage TImage1::Picture() const {
    if (preview_ == nullptr) return {};
    const RasterImage image = preview_->Image().ToImage();
    QImage picture(image.Width, image.Height, QImage::Format_RGB32);
    for (int y = 0; y < image.Height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < image.Width; ++x) {
            const Color c = image.Pixels[static_cast<std::size_t>(y) * image.Width + x];
            line[x] = qRgb(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                           static_cast<int>((c >> 16) & 0xFF));
        }
    }
    return picture;
}

void TImage1::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    QImage picture = Picture();
    if (picture.isNull()) return;
    // Whole screen pixels per preview pixel, and no smoothing: the dots stay square and sharp.
    const int factor = std::max(1, static_cast<int>(std::floor(devicePixelRatioF())));
    if (factor > 1) {
        picture = picture.scaled(picture.width() * factor, picture.height() * factor, Qt::IgnoreAspectRatio,
                                 Qt::FastTransformation);
        picture.setDevicePixelRatio(factor);
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QPoint(0, 0), picture);
}

void TImage1::mousePressEvent(QMouseEvent* event) {
    if (placing_ != nullptr)
        placing_->Image1MouseDown(ButtonOf(event->button()), event->position().toPoint().x(),
                                  event->position().toPoint().y());
}

void TImage1::mouseMoveEvent(QMouseEvent* event) {
    if (placing_ != nullptr)
        placing_->Image1MouseMove(event->position().toPoint().x(), event->position().toPoint().y());
}

void TImage1::mouseReleaseEvent(QMouseEvent* event) {
    if (placing_ != nullptr)
        placing_->Image1MouseUp(ButtonOf(event->button()), event->position().toPoint().x(),
                                event->position().toPoint().y());
}

void TImage1::keyPressEvent(QKeyEvent* event) {
    if (placing_ != nullptr) {
        switch (event->key()) {
            case Qt::Key_Left:
                placing_->ArrowKey(-1, 0);
                return;
            case Qt::Key_Right:
                placing_->ArrowKey(1, 0);
                return;
            case Qt::Key_Up:
                placing_->ArrowKey(0, -1);
                return;
            case Qt::Key_Down:
                placing_->ArrowKey(0, 1);
                return;
            case Qt::Key_Escape:
                placing_->EscapePressed();
                return;
            default:
                break;
        }
    }
    QWidget::keyPressEvent(event);
}

void TImage1::focusInEvent(QFocusEvent* event) {
    if (placing_ != nullptr) placing_->ViewImagePanelEnter();
    QWidget::focusInEvent(event);
}

void TImage1::focusOutEvent(QFocusEvent* event) {
    if (placing_ != nullptr) placing_->ViewImagePanelExit();
    QWidget::focusOutEvent(event);
}

}  // namespace qxed
