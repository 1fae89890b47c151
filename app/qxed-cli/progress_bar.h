#pragma once
#include <functional>
#include <ostream>
#include <string>

#include "link/download.h"

namespace qxed::cli {

// The download window's label and progress bar as one line on a stream (stderr): "label [#####.....] 42%". On
// a terminal the line is redrawn in place; elsewhere (a log, a pipe) a new line is written when the label
// changes and at every further tenth of the way, so a log stays short.
class ProgressBar : public DownloadView {
  public:
    ProgressBar(std::ostream& out, bool terminal);

    void ShowLabel(const std::string& text) override;
    void ShowProgress(int position, int maximum) override;
    void Finished(DownloadResult result) override;

    // Ends a line drawn in place, so that a message printed next starts on a line of its own.
    void BreakLine();

    // Called once the download has ended.
    std::function<void(DownloadResult)> OnFinished;

  private:
    void Draw();

    std::ostream& out_;
    bool terminal_;
    std::string label_;
    int percent_ = 0;
    bool lineOpen_ = false;  // a line drawn in place waits for its end
    std::string lastDrawn_;  // what the terminal shows, to skip redrawing the same
    int lastTenth_ = -1;     // the tenth of the way last logged
    bool labelLogged_ = false;
};

// Percent of the way, rounded half up, as the download's progress byte counts it.
int ProgressPercent(int position, int maximum);

}  // namespace qxed::cli
