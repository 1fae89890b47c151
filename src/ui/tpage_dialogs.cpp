#include "ui/tpage_dialogs.h"

#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

#include "model/element.h"
#include "text/language.h"
#include "text/texts.h"
#include "ui/dialog_controls.h"
#include "ui/qt_text.h"

namespace qxed {

namespace {

QSpinBox* MakeSpinEdit(QWidget* parent, const char* name, int minimum, int maximum, const QRect& place) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(QString::fromLatin1(name));
    spin->setRange(minimum, maximum);
    spin->setGeometry(place);
    return spin;
}

QLineEdit* MakeTitleEdit(QWidget* parent, const Language& language, const QRect& place) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QStringLiteral("PageTitleEdit"));
    edit->setMaxLength(kShortTextCapacity);
    edit->setGeometry(place);
    LimitToCodePage(*edit, language.FileCodePage());
    return edit;
}

}  // namespace

TNewPageOKBottomDlg::TNewPageOKBottomDlg(const Document& document, const Language& language,
                                         UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), logic_(document, language, prompts), language_(language) {
    setObjectName(QStringLiteral("NewPageOKBottomDlg"));
    PrepareDialog(*this, language, language.TextUtf8(texts::NewPageOKBottomDlgCaption), 340, 128);
    MakeLabel(this, "PageNoLabel", language.TextUtf8(texts::PageNoLabelCaption), QRect(16, 16, 120, 22));
    pageNoSpinEdit_ = MakeSpinEdit(this, "PageNoSpinEdit", 1, 65535, QRect(140, 16, 90, 22));
    MakeLabel(this, "PageDescripLabel", language.TextUtf8(texts::PageDescripLabelCaption),
              QRect(16, 48, 120, 22));
    pageTitleEdit_ = MakeTitleEdit(this, language, QRect(140, 48, 184, 22));
    MakeDialogButtons(*this, "OKBtn", language.TextUtf8(texts::OKBtnCaption),
                      language.TextUtf8(texts::CancelBtnCaption), 88, [this] {
                          if (logic_.OKBtnClick(static_cast<uint16_t>(pageNoSpinEdit_->value()))) accept();
                      });
}

std::optional<NewPageChoice> TNewPageOKBottomDlg::Run() {
    const NewPageChoice shown = logic_.FormShow();
    pageNoSpinEdit_->setValue(shown.Number);
    pageTitleEdit_->setText(TextOf(shown.Title, language_.FileCodePage()));
    pageNoSpinEdit_->setFocus();
    pageNoSpinEdit_->selectAll();
    if (exec() != QDialog::Accepted) return std::nullopt;
    return NewPageChoice{static_cast<uint16_t>(pageNoSpinEdit_->value()),
                         BytesOf(pageTitleEdit_->text(), language_.FileCodePage())};
}

TPageAttrOKBottomDlg::TPageAttrOKBottomDlg(const Document& document, const Language& language,
                                           QWidget* parent)
    : QDialog(parent), logic_(document, language), language_(language) {
    setObjectName(QStringLiteral("PageAttrOKBottomDlg"));
    PrepareDialog(*this, language, language.TextUtf8(texts::AttrGroupBoxCaption), 360, 176);
    pageNoLabel_ = MakeLabel(this, "PageNoLabel", "", QRect(16, 12, 200, 22));
    MakeLabel(this, "PageDescripLabel", language.TextUtf8(texts::PageDescripLabelCaption),
              QRect(16, 42, 150, 22));
    pageTitleEdit_ = MakeTitleEdit(this, language, QRect(170, 42, 174, 22));
    MakeLabel(this, "PressPrevLabel", language.TextUtf8(texts::PressPrevLabelCaption),
              QRect(16, 72, 150, 22));
    prvPageNoSpinEdit_ = MakeSpinEdit(this, "PrvPageNoSpinEdit", 0, 65535, QRect(170, 72, 90, 22));
    MakeLabel(this, "PressNextLabel", language.TextUtf8(texts::PressNextLabelCaption),
              QRect(16, 102, 150, 22));
    nxtPageNoSpinEdit_ = MakeSpinEdit(this, "NxtPageNoSpinEdit", 0, 65535, QRect(170, 102, 90, 22));
    MakeDialogButtons(*this, "OKBtn", language.TextUtf8(texts::OKBtnCaption),
                      language.TextUtf8(texts::CancelBtnCaption), 138, [this] { accept(); });
}

std::optional<PageAttributes> TPageAttrOKBottomDlg::Run() {
    const PageAttributes shown = logic_.FormShow();
    pageNoLabel_->setText(TextOf(logic_.PageNoLabel(), language_.FileCodePage()));
    pageTitleEdit_->setText(TextOf(shown.Title, language_.FileCodePage()));
    prvPageNoSpinEdit_->setValue(shown.PrvPageNo);
    nxtPageNoSpinEdit_->setValue(shown.NxtPageNo);
    pageTitleEdit_->setFocus();
    if (exec() != QDialog::Accepted) return std::nullopt;
    return PageAttributes{BytesOf(pageTitleEdit_->text(), language_.FileCodePage()),
                          static_cast<uint16_t>(prvPageNoSpinEdit_->value()),
                          static_cast<uint16_t>(nxtPageNoSpinEdit_->value())};
}

TCopyPageOKBottomDlg::TCopyPageOKBottomDlg(const Document& document, const Language& language,
                                           UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), logic_(document, language, prompts) {
    setObjectName(QStringLiteral("CopyPageOKBottomDlg"));
    PrepareDialog(*this, language, language.TextUtf8(texts::CopyPictureOKBottomDlgCaption), 340, 96);
    copyLabel_ =
        MakeLabel(this, "CopyLabel", language.TextUtf8(texts::CopyLabelCaption), QRect(16, 18, 0, 22));
    sourcePageNoLabel_ = MakeLabel(this, "SourcePageNoLabel", "", QRect(0, 18, 0, 22));
    pageToLabel_ =
        MakeLabel(this, "PageToLabel", language.TextUtf8(texts::PageToLabelCaption), QRect(0, 18, 0, 22));
    targetPageNoSpinEdit_ = MakeSpinEdit(this, "TargetPageNoSpinEdit", 0, 65535, QRect(0, 18, 86, 22));
    LayOutLine();
    MakeDialogButtons(*this, "OKBtn", language.TextUtf8(texts::OKBtnCaption),
                      language.TextUtf8(texts::CancelBtnCaption), 58, [this] {
                          if (logic_.OKBtnClick(static_cast<uint16_t>(targetPageNoSpinEdit_->value())))
                              accept();
                      });
}

// One line that reads as a sentence in any language, "copy <n> to page: [target]", each piece as wide as its
// text.
void TCopyPageOKBottomDlg::LayOutLine() {
    int left = copyLabel_->x();
    for (QWidget* piece : {static_cast<QWidget*>(copyLabel_), static_cast<QWidget*>(sourcePageNoLabel_),
                           static_cast<QWidget*>(pageToLabel_)}) {
        piece->setGeometry(left, piece->y(), piece->sizeHint().width(), piece->height());
        left += piece->width() + 5;
    }
    targetPageNoSpinEdit_->move(left + 1, targetPageNoSpinEdit_->y());
}

std::optional<uint16_t> TCopyPageOKBottomDlg::Run() {
    sourcePageNoLabel_->setText(QString::number(logic_.SourcePageNo()));
    LayOutLine();
    targetPageNoSpinEdit_->setValue(logic_.FormShow());
    targetPageNoSpinEdit_->setFocus();
    targetPageNoSpinEdit_->selectAll();
    if (exec() != QDialog::Accepted) return std::nullopt;
    return static_cast<uint16_t>(targetPageNoSpinEdit_->value());
}

}  // namespace qxed
