#pragma once
#include <QPointer>
#include <QWidget>

#include "workbench/editor_dialogs.h"

namespace qxed {

class Language;

// The file dialogs and the font dialog of the desktop.
class QtFileChooser : public FileChooser {
  public:
    explicit QtFileChooser(const Language& language) : language_(language) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    std::optional<std::string> ChooseFile(const FileRequest& request) override;
    std::optional<FontDesc> ChooseFont(const FontDesc& current) override;

  private:
    const Language& language_;
    QPointer<QWidget> parent_;
};

}  // namespace qxed
