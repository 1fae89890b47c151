#pragma once
#include <QFont>
#include <QString>

#include <string>

#include "text/code_page.h"

class QLineEdit;
class QWidget;

namespace qxed {

class Language;
struct TextKey;

// The logic speaks UTF-8; the widgets QString.
QString Qs(const std::string& utf8);
std::string Utf8Of(const QString& text);

// A text of the language file for a widget.
QString Caption(const Language& language, const TextKey& key);

// The window font of section "Font": face, size in points at 96 dpi (as a pixel size, so that the designed
// geometry holds on any screen) and character set.
QFont WindowFont(const Language& language);
// Gives the window and every child its font.
void ApplyWindowFont(QWidget& window, const Language& language);

// The project's texts are bytes of its code page: a field accepts only what the code page can write, and
// hands the bytes over.
void LimitToCodePage(QLineEdit& field, CodePage codePage);
std::string BytesOf(const QString& text, CodePage codePage);
QString TextOf(const std::string& bytes, CodePage codePage);

// A file dialog filter ("Name (*.a);;All (*.*)") from the language file's form ("Name|*.a|All|*.*").
QString DialogFilter(const std::string& languageFilter);

}  // namespace qxed
