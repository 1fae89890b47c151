#pragma once

namespace qxed {

// Fonts, text drawing and the image codecs need the program's graphics application object, which only the
// program's main may create: the editor makes its widget application, the command line and the tests an
// offscreen one. Nothing here creates one; gfx only checks that a session runs.
//
// Each main that draws, measures text or decodes pictures does, in this order:
//   PrepareOffscreenGraphics();           (headless programs only)
//   <graphics application object>(argc, argv);
//   GraphicsSession graphics;
// and lets them go in reverse order.

// Sets up the environment of a headless program before its graphics application object is made: the
// offscreen platform, whatever the environment asks for, so that output never depends on a desktop, and a
// private runtime folder when the process has none (CI, cron, ssh), so the graphics layer does not warn about
// the missing one on stderr.
void PrepareOffscreenGraphics();

// The running graphics session. Starting it needs the graphics application object to exist and no other
// session to run; either mistake ends the program with a message. It installs the face substitutions for the
// classic Chinese faces, so that a whole text comes from one real face.
class GraphicsSession {
  public:
    GraphicsSession();
    ~GraphicsSession();
    GraphicsSession(const GraphicsSession&) = delete;
    GraphicsSession& operator=(const GraphicsSession&) = delete;
};

bool GraphicsSessionRunning();

// Called by every gfx entry point that needs the graphics application: without a running session the
// program ends at once with a message naming the caller and what was not started. A drawing call that slips
// in before the editor's application exists, or in a program that never starts graphics, fails here on its
// first use, whatever its input, instead of quietly creating an application of the wrong kind.
void RequireGraphicsSession(const char* caller);

}  // namespace qxed
