// Times building a screen data image that is nearly full (1000 distinct double-byte characters, text
// elements up to about 65532 bytes) against reading the glyph records it needs from the glyph files beside
// the program. Exits with 1 when the build takes more than three times the reading.
// Usage: bench_image_build [runs]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "bench_graphics.h"
#include "bench_prompts.h"
#include "image/character_sets.h"
#include "image/glyph_store.h"
#include "image/image_build.h"
#include "image/image_format.h"
#include "image/image_reader.h"
#include "model/element_defaults.h"
#include "model/project.h"
#include "model/user_prompts.h"
#include "text/language.h"
#include "text/settings_paths.h"

namespace {

using namespace qxed;
using Clock = std::chrono::steady_clock;

constexpr int kModel = 1;  // one-byte coordinates, column layout
constexpr TextLanguage kLanguage = TextLanguage::sCh;
constexpr std::size_t kDistinct = 1000;
constexpr std::size_t kTextBytes = 40;
constexpr std::size_t kElementsPerPage = 255;
constexpr std::size_t kTextRecordOverhead = 4;  // x, y, attribute, length byte
constexpr double kAllowedRatio = 3.0;

class NoProgress : public BuildProgress {
  public:
    void Begin(const std::string&, int) override {}
    void Advance() override {}
    bool CancelRequested() override { return false; }
};

// The GB2312 hanzi from 0xB0A1 on, 94 to a row.
std::string Hanzi(std::size_t index) {
    return {static_cast<char>(0xB0 + index / 94), static_cast<char>(0xA1 + index % 94)};
}

// Text elements on as many pages as needed: first every distinct character once, then repeats up to the
// largest image. The length follows the image layout: H, glyphs, 11 bytes per page, 5 per element entry,
// and each text record; `expectedLength` receives it.
Project MakeProject(std::size_t& expectedLength) {
    Project project;
    project.Settings.CurrentModel = kModel;
    project.Settings.AlarmCount = 0;
    project.ClearPages();

    const std::string digits = "0123456789";
    std::size_t length = image_format::kDirectorySize + image_format::kFixedSettingsSize +
                         image_format::kDoubleByteGlyphSize * kDistinct +
                         image_format::kSingleByteGlyphSize * digits.size();
    Page* page = nullptr;
    uint16_t pageNumber = 0;
    auto add = [&](const std::string& content) {
        const std::size_t cost =
            (page == nullptr || page->Elements.size() == kElementsPerPage ? image_format::kPageRecordSize
                                                                          : 0) +
            image_format::kElementEntrySize + kTextRecordOverhead + content.size();
        if (length + cost > image_format::kLargestImage) return false;
        if (page == nullptr || page->Elements.size() == kElementsPerPage) {
            ++pageNumber;
            page = &project.AddPage(pageNumber, "page " + std::to_string(pageNumber));
        }
        Element element = NewElement(project, static_cast<int32_t>(ElementKind::Text));
        element.Y = static_cast<int32_t>(page->Elements.size() % 4) * 36;
        element.As<TextFields>().Content = content;
        page->Elements.push_back(std::move(element));
        length += cost;
        return true;
    };

    add(digits);
    std::string text;
    for (std::size_t i = 0; i < kDistinct; ++i) {
        text += Hanzi(i);
        if (text.size() == kTextBytes || i + 1 == kDistinct) {
            add(text);
            text.clear();
        }
    }
    // Repeats, then one shorter text for the last few bytes.
    for (std::size_t i = 0;; i += kTextBytes / 2) {
        text.clear();
        for (std::size_t k = 0; k < kTextBytes / 2; ++k)
            text += Hanzi((i + k) % kDistinct);
        if (add(text)) continue;
        while (text.size() > 2 && !add(text))
            text.resize(text.size() - 2);
        break;
    }
    expectedLength = length;
    return project;
}

template <class Run>
double BestSeconds(int runs, Run run) {
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        const Clock::time_point start = Clock::now();
        run();
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    const bench::OffscreenGraphics graphics;
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    std::size_t expectedLength = 0;
    const Project project = MakeProject(expectedLength);
    const Language language;
    const std::string folder = ProgramFolder();

    ImageBuildContext context{&language, kLanguage, folder};
    bench::ConfirmingPrompts prompts;
    NoProgress progress;
    BuildOutcome outcome;
    const double build =
        BestSeconds(runs, [&] { outcome = PreparePageContent(project, context, progress, prompts); });
    if (outcome.Status != BuildStatus::Built) {
        std::cerr << "the image was not built (glyph files in " << folder << "?)\n";
        return 2;
    }

    CharacterSets sets;
    CollectCharacters(project, language, kLanguage, sets);
    std::vector<uint8_t> doubleBytes;
    std::vector<uint8_t> singleBytes;
    const GlyphStep step = [] { return true; };
    bool readAll = true;
    const double read = BestSeconds(runs, [&] {
        readAll =
            ReadDoubleByteGlyphs(folder, kLanguage, kModel, sets.DoubleBytes(), doubleBytes, step).State ==
                GlyphReadResult::Read &&
            ReadSingleByteGlyphs(folder, kModel, sets.SingleBytes(), singleBytes, step).State ==
                GlyphReadResult::Read;
    });
    if (!readAll) {
        std::cerr << "the glyph files in " << folder << " could not be read\n";
        return 2;
    }

    const ScreenDataImage& image = outcome.Image;
    const ImageReadResult decoded = ReadScreenDataImage(image.Bytes, kModel);
    if (!decoded.Image) {
        std::cerr << "the image does not read back: " << decoded.Error << '\n';
        return 2;
    }
    const double ratio = build / read;
    std::printf(
        "image: L=%u (laid out for %zu, largest %u), H=%u, glyphs=%u; %zu double-byte, %zu single-byte\n",
        image.Length(), expectedLength, image_format::kLargestImage, image.HeaderLength, image.GlyphLength,
        sets.DoubleBytes().size(), sets.SingleBytes().size());
    std::printf("build %.3f ms, glyph read %.3f ms, ratio %.2f (allowed %.1f), best of %d\n", build * 1e3,
                read * 1e3, ratio, kAllowedRatio, runs);
    return ratio <= kAllowedRatio ? 0 : 1;
}
