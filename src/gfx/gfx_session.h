#pragma once

namespace qxed {

// Makes fonts and image codecs usable: creates an offscreen graphics application object when the
// process has none (it lives until the process ends) and installs the face substitutions for the
// classic Chinese faces. Safe to call any number of times; every canvas and decoder calls it.
void EnsureGraphics();

}  // namespace qxed
