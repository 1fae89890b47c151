#pragma once
#include <QDialog>

class QLabel;

namespace qxed {

class AboutBox;
class Language;

// The About box's window: the program's texts and version, and the small upgrade mode label whose double
// click steps the download's upgrade mode.
class TAboutBox : public QDialog {
  public:
    TAboutBox(const Language& language, AboutBox& about, QWidget* parent);

    void Run() { exec(); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void UpgradeModeLabelDblClick();

    AboutBox& about_;
    QLabel* upgradeModeLabel_;
};

}  // namespace qxed
