#include "progress_bar.h"

#include <algorithm>

namespace qxed::cli {

namespace {

constexpr int kBarWidth = 30;

std::string Line(const std::string& label, int percent) {
    const int filled = percent * kBarWidth / 100;
    return label + " [" + std::string(static_cast<std::size_t>(filled), '#') +
           std::string(static_cast<std::size_t>(kBarWidth - filled), '.') + "] " + std::to_string(percent) +
           "%";
}

}  // namespace

int ProgressPercent(int position, int maximum) {
    if (maximum <= 0) return 0;
    const long long scaled = (static_cast<long long>(position) * 200 + maximum) / (2LL * maximum);
    return static_cast<int>(std::min<long long>(std::max<long long>(scaled, 0), 100));
}

ProgressBar::ProgressBar(std::ostream& out, bool terminal, Detail detail)
    : out_(out), terminal_(terminal), detail_(detail) {}

void ProgressBar::ShowAttempt(int attempt, int limit) {
    attempt_ = std::to_string(attempt) + "/" + std::to_string(limit);
    // A log gets the first attempt and every fiftieth, so that it stays short and still shows a silent panel.
    if (!terminal_ && attempt != 1 && attempt % 50 != 0) return;
    if (!terminal_) labelLogged_ = false;
    Draw();
}

void ProgressBar::Trace(const std::string& line) {
    if (detail_ != Detail::Verbose) return;
    BreakLine();
    out_ << line << '\n' << std::flush;
}

void ProgressBar::ShowLabel(const std::string& text) {
    if (text == label_ && labelLogged_) return;
    label_ = text;
    attempt_.clear();
    labelLogged_ = false;
    percent_ = 0;
    Draw();
}

void ProgressBar::ShowProgress(int position, int maximum) {
    percent_ = ProgressPercent(position, maximum);
    Draw();
}

void ProgressBar::Finished(DownloadResult result) {
    BreakLine();
    if (OnFinished) OnFinished(result);
}

void ProgressBar::BreakLine() {
    if (!lineOpen_) return;
    out_ << '\n' << std::flush;
    lineOpen_ = false;
    lastDrawn_.clear();
}

void ProgressBar::Draw() {
    if (detail_ == Detail::Quiet) return;
    const std::string line = Line(label_, percent_) + (attempt_.empty() ? "" : " " + attempt_);
    if (terminal_) {
        if (line == lastDrawn_) return;
        // Clear to the end of the line: a shorter label must not leave the old one's tail.
        out_ << '\r' << line << "\x1b[K" << std::flush;
        lastDrawn_ = line;
        lineOpen_ = true;
        return;
    }
    const int tenth = percent_ / 10;
    if (labelLogged_ && tenth <= lastTenth_) return;
    out_ << line << '\n' << std::flush;
    labelLogged_ = true;
    lastTenth_ = tenth;
}

}  // namespace qxed::cli
