#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "image/character_sets.h"

namespace qxed {

class Language;
class Project;
class UserPrompts;

// What the window that runs a build shows: a label, and a progress bar that every page, element, glyph,
// alarm text and section advances by one. The download window and the command line implement it.
class BuildProgress {
  public:
    virtual ~BuildProgress() = default;
    // A new phase: the label text (UTF-8) and the bar's maximum; the position returns to 0.
    virtual void Begin(const std::string& label, int maximum) = 0;
    // One step done; the window may process pending events here.
    virtual void Advance() = 0;
    // Asked between steps: true stops the build without a message.
    virtual bool CancelRequested() = 0;
};

// Everything besides the project that decides the image's bytes.
struct ImageBuildContext {
    const ::qxed::Language* Texts = nullptr;  // messages, the download window's caption and the symbol bytes
    TextLanguage Language = TextLanguage::En;
    std::string GlyphFolder;  // where the glyph files are; the program folder in the editor
};

// The compiled image and the lengths the data export records with it.
struct ScreenDataImage {
    std::vector<uint8_t> Bytes;  // L bytes, panel address kImageBase onwards
    uint32_t HeaderLength = 0;   // H: directory and settings block
    uint32_t GlyphLength = 0;    // 32 x double-byte + 16 x single-byte characters
    uint32_t Length() const { return static_cast<uint32_t>(Bytes.size()); }
};

enum class BuildStatus {
    Built,
    Aborted,    // refused with a message shown through the prompts (overflow, glyph file, memory)
    Cancelled,  // the progress asked to stop; no message
};

struct BuildOutcome {
    BuildStatus Status = BuildStatus::Aborted;
    ScreenDataImage Image;  // empty unless Built
};

// Compiles the project for its own panel model (Settings.CurrentModel) into the screen data image. The
// bytes depend only on the project, the text language, the symbol bytes and the glyph files: building
// twice gives the same image.
BuildOutcome PreparePageContent(const Project& project, const ImageBuildContext& context,
                                BuildProgress& progress, UserPrompts& prompts);

}  // namespace qxed
