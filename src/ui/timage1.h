#pragma once
#include <QWidget>

#include "workbench/page_preview.h"

namespace qxed {

class ElementPlacing;

// Image1: the preview of the current page, one preview pixel to one screen pixel (a whole multiple on a
// high-density screen, never smoothed). Mouse and keys go to the placing logic; what it shows comes from the
// page preview.
class TImage1 : public QWidget, public PagePreviewView {
  public:
    explicit TImage1(QWidget* parent);
    void SetLogic(PagePreview* preview, ElementPlacing* placing);

    void PreviewChanged() override;
    // The image as shown, for tests and benchmarks.
    QImage Picture() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    PagePreview* preview_ = nullptr;
    ElementPlacing* placing_ = nullptr;
};

}  // namespace qxed
