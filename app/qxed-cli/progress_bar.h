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
    // How much a download tells on the stream: nothing but its messages, the progress line, or the progress
    // line with every request, reply, time-out and retry.
    enum class Detail { Quiet, Progress, Verbose };

    ProgressBar(std::ostream& out, bool terminal, Detail detail = Detail::Progress);

    void ShowLabel(const std::string& text) override;
    void ShowProgress(int position, int maximum) override;
    void Finished(DownloadResult result) override;
    // "1/300" after the percentage while the panel is being woken.
    void ShowAttempt(int attempt, int limit) override;
    void Trace(const std::string& line) override;

    // Ends a line drawn in place, so that a message printed next starts on a line of its own.
    void BreakLine();

    // Called once the download has ended.
    std::function<void(DownloadResult)> OnFinished;

  private:
    void Draw();

    std::ostream& out_;
    bool terminal_;
    Detail detail_;
    std::string attempt_;  // "1/300" while waking the panel, else empty
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
