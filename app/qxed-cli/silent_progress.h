#pragma once

#include "image/image_build.h"

namespace qxed::cli {

// The progress of an image build on the command line: none shown (stdout carries the result alone), and
// nobody can cancel.
class SilentProgress : public BuildProgress {
  public:
    void Begin(const std::string&, int) override {}
    void Advance() override {}
    bool CancelRequested() override { return false; }
};

}  // namespace qxed::cli
