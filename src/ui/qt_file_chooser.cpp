#include "ui/qt_file_chooser.h"

#include <QFileDialog>
#include <QFontDialog>
#include <QStringList>

#include <cmath>

#include "text/code_page.h"
#include "text/language.h"
#include "ui/qt_text.h"

namespace qxed {

std::optional<std::string> QtFileChooser::ChooseFile(const FileRequest& request) {
    QFileDialog dialog(parent_, QString(), Qs(request.Folder), DialogFilter(request.Filter));
    // The same dialog on every desktop, and one that tests can drive.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFont(WindowFont(language_));
    const bool save = request.Mode == FileRequest::Kind::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (save && !request.OverwritePrompt) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    // Extensions are lower case on this platform whatever case the request names them in.
    if (!request.DefaultExtension.empty()) dialog.setDefaultSuffix(Qs(request.DefaultExtension).toLower());
    if (!request.ProposedName.empty()) dialog.selectFile(Qs(request.ProposedName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return Utf8Of(dialog.selectedFiles().front());
}

std::optional<FontDesc> QtFileChooser::ChooseFont(const FontDesc& current) {
    // Face names are bytes of the project's code page, whatever the font's own character set.
    const CodePage codePage = language_.FileCodePage();
    QFont initial(Qs(ToUtf8ForDisplay(current.Name, codePage)));
    const int points = current.Size > 0 && current.Size < 1000 ? current.Size : 9;
    initial.setPointSize(points);
    initial.setBold((current.Style & FontDesc::kBold) != 0);
    initial.setItalic((current.Style & FontDesc::kItalic) != 0);
    initial.setUnderline((current.Style & FontDesc::kUnderline) != 0);
    initial.setStrikeOut((current.Style & FontDesc::kStrikeOut) != 0);
    bool ok = false;
    const QFont chosen =
        QFontDialog::getFont(&ok, initial, parent_, QString(), QFontDialog::DontUseNativeDialog);
    if (!ok) return std::nullopt;

    FontDesc font = current;
    const Conversion name = FromUtf8(Utf8Of(chosen.family()), codePage);
    // A face whose name the code page cannot write keeps the previous face rather than a damaged name.
    if (name.Ok) font.Name = name.Text;
    font.SetSize(chosen.pointSize() > 0 ? chosen.pointSize()
                                        : static_cast<int>(std::lround(chosen.pixelSize() * 72.0 / 96.0)));
    font.Style = static_cast<uint8_t>(
        (chosen.bold() ? FontDesc::kBold : 0) | (chosen.italic() ? FontDesc::kItalic : 0) |
        (chosen.underline() ? FontDesc::kUnderline : 0) | (chosen.strikeOut() ? FontDesc::kStrikeOut : 0));
    if (chosen.fixedPitch()) font.Pitch = FontDesc::kFixedPitch;
    return font;
}

}  // namespace qxed
