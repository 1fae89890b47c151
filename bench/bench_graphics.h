#pragma once
#include <QGuiApplication>

#include "gfx/gfx_session.h"

namespace qxed::bench {

// The graphics of a timing run, made first thing in its main: offscreen, as the command line runs, with the
// session until main returns. The application sees none of the run's arguments.
class OffscreenGraphics {
  public:
    OffscreenGraphics() : application_((PrepareOffscreenGraphics(), argc_), argv_) {}

  private:
    int argc_ = 1;
    char name_[8] = "qxed";
    char* argv_[2] = {name_, nullptr};
    QGuiApplication application_;
    GraphicsSession session_;
};

}  // namespace qxed::bench
