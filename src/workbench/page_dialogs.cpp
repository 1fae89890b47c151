#include "workbench/page_dialogs.h"

#include <algorithm>

#include "document/document.h"
#include "model/user_prompts.h"
#include "text/language.h"
#include "text/texts.h"

namespace qxed {

namespace {

// The page after the current one, kept inside the field's range.
uint16_t NextNumber(const Document& document, int lowest) {
    const int next = document.CurrentPageNumber() + 1;
    return static_cast<uint16_t>(std::clamp(next, lowest, 65535));
}

}  // namespace

NewPageOKBottomDlg::NewPageOKBottomDlg(const Document& document, const Language& language,
                                       UserPrompts& prompts)
    : document_(document), language_(language), prompts_(prompts) {}

NewPageChoice NewPageOKBottomDlg::FormShow() const {
    return NewPageChoice{NextNumber(document_, 1), {}};
}

bool NewPageOKBottomDlg::OKBtnClick(uint16_t number) const {
    for (const Page& page : document_.Contents().Pages()) {
        if (page.Number != number) continue;
        prompts_.ShowMessage(std::to_string(number) + language_.TextUtf8(texts::PageExistE),
                             language_.TextUtf8(texts::PageExist), MessageIcon::Warning);
        return false;
    }
    return true;
}

PageAttrOKBottomDlg::PageAttrOKBottomDlg(const Document& document, const Language& language)
    : document_(document), language_(language) {}

PageAttributes PageAttrOKBottomDlg::FormShow() const {
    const Page& page = document_.CurrentPage();
    return PageAttributes{page.Title, page.PrvPageNo, page.NxtPageNo};
}

std::string PageAttrOKBottomDlg::PageNoLabel() const {
    return std::to_string(document_.CurrentPageNumber()) + language_.Text(texts::PageNo);
}

CopyPageOKBottomDlg::CopyPageOKBottomDlg(const Document& document, const Language& language,
                                         UserPrompts& prompts)
    : document_(document), language_(language), prompts_(prompts) {}

uint16_t CopyPageOKBottomDlg::SourcePageNo() const {
    return document_.CurrentPageNumber();
}

uint16_t CopyPageOKBottomDlg::FormShow() const {
    return NextNumber(document_, 0);
}

bool CopyPageOKBottomDlg::OKBtnClick(uint16_t target) const {
    if (target != document_.CurrentPageNumber()) return true;
    prompts_.ShowMessage(language_.TextUtf8(texts::CopyPageNoSame), language_.TextUtf8(texts::PageNoSame),
                         MessageIcon::Warning);
    return false;
}

}  // namespace qxed
