#pragma once
#include <QDialog>

#include <optional>

#include "workbench/page_dialogs.h"

class QLabel;
class QLineEdit;
class QSpinBox;

namespace qxed {

class Document;
class Language;
class UserPrompts;

// "新建画面": number and title of a new page; OK stays open on a number that exists.
class TNewPageOKBottomDlg : public QDialog {
  public:
    TNewPageOKBottomDlg(const Document& document, const Language& language, UserPrompts& prompts,
                        QWidget* parent);
    std::optional<NewPageChoice> Run();

  private:
    NewPageOKBottomDlg logic_;
    const Language& language_;
    QSpinBox* pageNoSpinEdit_;
    QLineEdit* pageTitleEdit_;
};

// "画面属性": title and key links of the current page.
class TPageAttrOKBottomDlg : public QDialog {
  public:
    TPageAttrOKBottomDlg(const Document& document, const Language& language, QWidget* parent);
    std::optional<PageAttributes> Run();

  private:
    PageAttrOKBottomDlg logic_;
    const Language& language_;
    QLabel* pageNoLabel_;
    QLineEdit* pageTitleEdit_;
    QSpinBox* prvPageNoSpinEdit_;
    QSpinBox* nxtPageNoSpinEdit_;
};

// "复制画面": the page the current one is copied to; OK stays open on the current page's own number.
class TCopyPageOKBottomDlg : public QDialog {
  public:
    TCopyPageOKBottomDlg(const Document& document, const Language& language, UserPrompts& prompts,
                         QWidget* parent);
    std::optional<uint16_t> Run();

  private:
    void LayOutLine();

    CopyPageOKBottomDlg logic_;
    QLabel* copyLabel_;
    QLabel* sourcePageNoLabel_;
    QLabel* pageToLabel_;
    QSpinBox* targetPageNoSpinEdit_;
};

}  // namespace qxed
