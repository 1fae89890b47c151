#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace qxed {

class Document;
class Language;
class UserPrompts;
struct Page;

// What the page dialogs give back after OK. Texts are bytes of the project's code page.
struct NewPageChoice {
    uint16_t Number = 1;
    std::string Title;
};
struct PageAttributes {
    std::string Title;
    uint16_t PrvPageNo = 1;
    uint16_t NxtPageNo = 2;
};

// The three page dialogs, run modally: the widgets show the real ones, tests answer with scripts.
class PageDialogs {
  public:
    virtual ~PageDialogs() = default;
    virtual std::optional<NewPageChoice> NewPage() = 0;
    virtual std::optional<PageAttributes> PageAttr() = 0;
    // The target page number.
    virtual std::optional<uint16_t> CopyPage() = 0;
};

// "新建画面": the number proposed after the current page's; OK keeps the dialog open with a message when the
// page exists.
class NewPageOKBottomDlg {
  public:
    NewPageOKBottomDlg(const Document& document, const Language& language, UserPrompts& prompts);
    // The values the dialog opens with.
    NewPageChoice FormShow() const;
    // True when the dialog may close with these values.
    bool OKBtnClick(uint16_t number) const;

  private:
    const Document& document_;
    const Language& language_;
    UserPrompts& prompts_;
};

// "画面属性": the current page's title and links, its number in the label.
class PageAttrOKBottomDlg {
  public:
    PageAttrOKBottomDlg(const Document& document, const Language& language);
    PageAttributes FormShow() const;
    // "<number>号画面" in the language's code page, for PageNoLabel.
    std::string PageNoLabel() const;

  private:
    const Document& document_;
    const Language& language_;
};

// "复制画面": copies the current page to another number; the current page's own number is refused with a
// message and the dialog stays open.
class CopyPageOKBottomDlg {
  public:
    CopyPageOKBottomDlg(const Document& document, const Language& language, UserPrompts& prompts);
    uint16_t SourcePageNo() const;
    // The target it opens with.
    uint16_t FormShow() const;
    bool OKBtnClick(uint16_t target) const;

  private:
    const Document& document_;
    const Language& language_;
    UserPrompts& prompts_;
};

}  // namespace qxed
