#include "ui/qt_text.h"

#include <QLineEdit>
#include <QStringList>
#include <QValidator>
#include <QWidget>

#include <cmath>

#include "text/language.h"
#include "workbench/file_filter.h"

namespace qxed {

QString Qs(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string Utf8Of(const QString& text) {
    return text.toUtf8().toStdString();
}

QString Caption(const Language& language, const TextKey& key) {
    return Qs(language.TextUtf8(key));
}

QFont WindowFont(const Language& language) {
    QFont font(Qs(language.DisplayUtf8(language.FontName())));
    const int points = language.FontSize() > 0 ? language.FontSize() : 9;
    font.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
    return font;
}

void ApplyWindowFont(QWidget& window, const Language& language) {
    window.setFont(WindowFont(language));
}

namespace {

// Refuses an edit that leaves a character the code page cannot write, so nothing typed is lost later.
class CodePageValidator : public QValidator {
  public:
    CodePageValidator(CodePage codePage, QObject* parent) : QValidator(parent), codePage_(codePage) {}
    State validate(QString& input, int&) const override {
        return FromUtf8(Utf8Of(input), codePage_).Ok ? Acceptable : Invalid;
    }

  private:
    CodePage codePage_;
};

}  // namespace

void LimitToCodePage(QLineEdit& field, CodePage codePage) {
    field.setValidator(new CodePageValidator(codePage, &field));
}

std::string BytesOf(const QString& text, CodePage codePage) {
    Conversion bytes = FromUtf8(Utf8Of(text), codePage);
    return bytes.Ok ? std::move(bytes.Text) : std::string();
}

QString TextOf(const std::string& bytes, CodePage codePage) {
    return Qs(ToUtf8ForDisplay(bytes, codePage));
}

QString DialogFilter(const std::string& languageFilter) {
    QStringList choices;
    for (const FilterChoice& choice : ParseFileFilter(languageFilter))
        choices << Qs(DialogFilterName(choice));
    return choices.join(QStringLiteral(";;"));
}

}  // namespace qxed
