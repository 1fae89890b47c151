#pragma once

#include <span>

#include "text/text_key.h"

namespace qxed {

// The windows that read texts from the language file, by class name.
enum class Window {
    QX200AppForm,
    AboutBox,
    ModelSelectOKBottomDlg,
    NewPageOKBottomDlg,
    PageAttrOKBottomDlg,
    CopyPageOKBottomDlg,
    PlcSelectOKBottomDlg,
    SetQX200OKBottomDlg,
    AlarmListOKBottomDlg,
    HFuncKeyOKBottomDlg,
    DownloadForm,
    SetCommParaOKBottomDlg,
    SelectComPortOKBottomDlg,
};

// The text keys a window reads while it is created, in its reading order.
// A key read with two built-in texts appears once per default. The font keys
// every window reads first, the main window's symbol section and the list
// sections (keypads, "PLC_Type", "ScreenSave") are read through Language.
std::span<const TextKey* const> WindowTexts(Window window);

}  // namespace qxed
