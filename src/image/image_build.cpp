#include <cstdio>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "image/glyph_store.h"
#include "image/image_buffer.h"
#include "image/image_build.h"
#include "image/image_element_records.h"
#include "image/image_format.h"
#include "image/settings_block.h"
#include "image/text_encoding.h"
#include "model/panel_model.h"
#include "model/project.h"
#include "model/user_prompts.h"
#include "text/language.h"
#include "text/texts.h"

namespace qxed {

namespace {

using namespace image_format;

// Besides one step per page, element, glyph and alarm text, the build advances the progress once for each of
// these sections.
enum class Section {
    CharactersCollected,
    WorkArraysSized,
    DoubleByteGlyphsRead,
    SingleByteGlyphsRead,
    ElementDataWritten,
    AlarmTextsWritten,
    GlobalKeysWritten,
    SettingsWritten,
    DirectoryWritten,
    GlyphsAndPageTableAppended,
    ElementsAndAlarmsAppended,
    Count
};
constexpr int kSectionSteps = static_cast<int>(Section::Count);

// Counts that travel in one byte.
constexpr std::size_t kMaxPages = 0xFF;
constexpr std::size_t kMaxElementsPerPage = 0xFF;
constexpr int32_t kMaxAlarmCount = 0xFF;

struct PageRecord {
    uint16_t Number = 0;
    std::size_t ElementCount = 0;
    uint16_t PrvPageNo = 0;
    uint16_t NxtPageNo = 0;
    std::size_t FirstEntry = 0;  // index of its first element directory record
};

struct ElementEntry {
    uint8_t Kind = 0;
    std::size_t Offset = 0;  // in the element data
};

// Little-endian appending for the final image, whose total size is checked before it is assembled.
class ImageWriter {
  public:
    explicit ImageWriter(std::size_t length) { bytes_.reserve(length); }
    void U8(uint8_t v) { bytes_.push_back(v); }
    void U16(uint16_t v) {
        U8(static_cast<uint8_t>(v & 0xFF));
        U8(static_cast<uint8_t>(v >> 8));
    }
    void U32(uint32_t v) {
        for (int shift = 0; shift < 32; shift += 8)
            U8(static_cast<uint8_t>((v >> shift) & 0xFF));
    }
    void Bytes(std::span<const uint8_t> bytes) { bytes_.insert(bytes_.end(), bytes.begin(), bytes.end()); }
    std::vector<uint8_t> Take() { return std::move(bytes_); }

  private:
    std::vector<uint8_t> bytes_;
};

uint32_t Address(std::size_t offset) {
    return kImageBase + static_cast<uint32_t>(offset);
}

class ImageBuilder {
  public:
    ImageBuilder(const Project& project, const ImageBuildContext& context, const Language& texts,
                 BuildProgress& progress, UserPrompts& prompts)
        : project_(project), context_(context), texts_(texts), progress_(progress), prompts_(prompts) {}

    BuildOutcome Run();
    void ShowOutOfMemory() { Show(texts_.TextUtf8(texts::NoEnoughMemory), MessageIcon::Error); }

  private:
    bool CountsFit() const;
    std::optional<BuildOutcome> ReadGlyphs();
    std::optional<BuildOutcome> GlyphEnd(const GlyphReadResult& result);
    bool WriteElementData();
    bool WriteAlarmTexts();
    BuildOutcome Assemble();

    // One progress step; false when the build is to stop.
    bool Step() {
        progress_.Advance();
        return !progress_.CancelRequested();
    }
    void Show(const std::string& text, MessageIcon icon) {
        prompts_.ShowMessage(text, texts_.TextUtf8(texts::DownloadFormCaption), icon);
    }
    std::string OverflowText() const {
        return texts_.TextUtf8(texts::PleaseAdjust) + "," + texts_.TextUtf8(texts::PageContentOver);
    }
    // A double-byte character as a message names it: itself and its code, "“丂” (8140)".
    std::string NamedCharacter(uint16_t code) const {
        const std::string bytes{static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
        char hex[8];
        std::snprintf(hex, sizeof hex, "%04X", code);
        return "“" + texts_.DisplayUtf8(bytes) + "” (" + hex + ")";
    }
    BuildOutcome Refused() {
        prompts_.ShowDetailedMessage(OverflowText(), OverflowDetail(),
                                     texts_.TextUtf8(texts::DownloadFormCaption), MessageIcon::Information);
        return {BuildStatus::Aborted, {}};
    }
    std::string OverflowDetail() const;
    std::string CountsDetail() const;
    static BuildOutcome Cancelled() { return {BuildStatus::Cancelled, {}}; }
    static BuildOutcome Aborted() { return {BuildStatus::Aborted, {}}; }

    const Project& project_;
    const ImageBuildContext& context_;
    const Language& texts_;
    BuildProgress& progress_;
    UserPrompts& prompts_;

    int model_ = 0;
    CharacterSets sets_;
    std::vector<uint8_t> doubleByteGlyphs_;
    std::vector<uint8_t> singleByteGlyphs_;
    std::vector<PageRecord> pages_;
    std::vector<ElementEntry> elements_;
    ImageBuffer elementData_;
    ImageBuffer alarmTexts_;
    std::vector<std::size_t> alarmOffsets_;
    ImageBuffer globalKeys_;
    ImageBuffer header_;  // directory placeholder and settings block
};

// The one-byte counts and the model are checked before anything is collected, so that no count is ever
// wrapped and no table is read past its end.
bool ImageBuilder::CountsFit() const {
    if (FindPanelModel(model_) == nullptr) return false;
    if (project_.Pages().size() > kMaxPages) return false;
    for (const Page& page : project_.Pages()) {
        if (page.Elements.size() > kMaxElementsPerPage) return false;
    }
    const int32_t alarms = project_.Settings.AlarmCount;
    return alarms >= 0 && alarms <= kMaxAlarmCount;
}

// The counts that travel in one byte and are too large, one line each; empty when all fit.
std::string ImageBuilder::CountsDetail() const {
    std::string detail;
    if (project_.Pages().size() > kMaxPages)
        detail +=
            std::to_string(project_.Pages().size()) + " pages, at most " + std::to_string(kMaxPages) + "\n";
    for (const Page& page : project_.Pages()) {
        if (page.Elements.size() > kMaxElementsPerPage)
            detail += "page " + std::to_string(page.Number) + ": " + std::to_string(page.Elements.size()) +
                      " elements, at most " + std::to_string(kMaxElementsPerPage) + " on a page\n";
    }
    const int32_t alarms = project_.Settings.AlarmCount;
    if (alarms < 0 || alarms > kMaxAlarmCount)
        detail += std::to_string(alarms) + " alarm texts, at most " + std::to_string(kMaxAlarmCount) + "\n";
    return detail;
}

// Where the bytes of a refused image go, section by section, so that a person sees what to cut.
std::string ImageBuilder::OverflowDetail() const {
    if (std::string counts = CountsDetail(); !counts.empty()) return counts;
    const std::size_t glyphBytes = doubleByteGlyphs_.size() + singleByteGlyphs_.size();
    std::string detail = "glyphs: " + std::to_string(glyphBytes) + " bytes (" +
                         std::to_string(sets_.DoubleBytes().size()) + " double-byte and " +
                         std::to_string(sets_.SingleBytes().size()) + " single-byte characters)\n";
    detail += "page table and element directory: " +
              std::to_string(kPageRecordSize * pages_.size() + kElementEntrySize * elements_.size()) +
              " bytes (" + std::to_string(pages_.size()) + " pages, " + std::to_string(elements_.size()) +
              " elements)\n";
    detail += "element data: " + std::to_string(elementData_.Size()) + " bytes";
    if (!elementData_.Sound() && !pages_.empty())
        detail +=
            ", more than " + std::to_string(kWriteLimit) + " by page " + std::to_string(pages_.back().Number);
    detail += "\n";
    // The page whose elements take the most bytes, measured from the element offsets.
    std::size_t largest = 0;
    uint16_t largestPage = 0;
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        const std::size_t first = pages_[i].FirstEntry;
        const std::size_t end = i + 1 < pages_.size() ? pages_[i + 1].FirstEntry : elements_.size();
        if (first >= end) continue;
        const std::size_t from = elements_[first].Offset;
        const std::size_t to = end < elements_.size() ? elements_[end].Offset : elementData_.Size();
        if (to - from > largest) {
            largest = to - from;
            largestPage = pages_[i].Number;
        }
    }
    if (largest > 0)
        detail +=
            "largest page: " + std::to_string(largestPage) + " with " + std::to_string(largest) + " bytes\n";
    detail += "alarm texts: " + std::to_string(kAlarmEntrySize * alarmOffsets_.size() + alarmTexts_.Size()) +
              " bytes (" + std::to_string(alarmOffsets_.size()) + " texts)\n";
    detail += "the image holds at most " + std::to_string(kLargestImage) + " bytes";
    return detail;
}

// Nothing while the build goes on; otherwise how it ended.
std::optional<BuildOutcome> ImageBuilder::ReadGlyphs() {
    const GlyphStep step = [this] { return Step(); };
    const GlyphReadResult doubles = ReadDoubleByteGlyphs(context_.GlyphFolder, context_.Language, model_,
                                                         sets_.DoubleBytes(), doubleByteGlyphs_, step);
    if (auto end = GlyphEnd(doubles)) return end;
    const GlyphReadResult singles =
        ReadSingleByteGlyphs(context_.GlyphFolder, model_, sets_.SingleBytes(), singleByteGlyphs_, step);
    return GlyphEnd(singles);
}

std::optional<BuildOutcome> ImageBuilder::GlyphEnd(const GlyphReadResult& result) {
    switch (result.State) {
        case GlyphReadResult::Missing:
            Show(result.FileName + texts_.TextUtf8(texts::NotExist), MessageIcon::Error);
            return Aborted();
        case GlyphReadResult::NoGlyph:
            Show(texts_.TextUtf8(texts::PleaseAdjust) + "," + texts_.TextUtf8(texts::CharacterHasNoGlyph) +
                     NamedCharacter(result.Code),
                 MessageIcon::Information);
            return Aborted();
        case GlyphReadResult::Stopped:
            return Cancelled();
        case GlyphReadResult::Read:
            break;
    }
    if (!Step()) return Cancelled();
    return std::nullopt;
}

// Pages and elements in list order; each element's record is written at the current data offset. Stops early
// once the data has no image form: the build is refused then anyway.
bool ImageBuilder::WriteElementData() {
    const RecordContext records{
        sets_, texts_, context_.Language, model_, project_.Settings.PlcType, project_.Defaults.TextCodePage};
    for (const Page& page : project_.Pages()) {
        pages_.push_back(
            {page.Number, page.Elements.size(), page.PrvPageNo, page.NxtPageNo, elements_.size()});
        for (const Element& element : page.Elements) {
            const std::optional<uint8_t> kind = DirectoryKind(element.Kind);
            if (!kind) elementData_.Refuse();
            elements_.push_back({kind.value_or(0), elementData_.Size()});
            WriteElementRecord(elementData_, element, records);
            if (!elementData_.Sound()) return true;
            if (!Step()) return false;
        }
        if (!Step()) return false;
    }
    return Step();
}

bool ImageBuilder::WriteAlarmTexts() {
    const auto count = static_cast<std::size_t>(project_.Settings.AlarmCount);
    for (std::size_t i = 0; i < count; ++i) {
        alarmOffsets_.push_back(alarmTexts_.Size());
        const std::optional<std::vector<uint8_t>> text =
            EncodeText(project_.AlarmTexts[i], sets_, context_.Language);
        if (text) {
            alarmTexts_.Bytes(*text);
        } else {
            alarmTexts_.Refuse();
        }
        if (!Step()) return false;
    }
    return Step();
}

BuildOutcome ImageBuilder::Run() {
    model_ = project_.Settings.CurrentModel;
    if (!CountsFit()) return Refused();

    const ProjectCounts counts = CollectCharacters(project_, texts_, context_.Language, sets_);
    if (sets_.DoubleByteOverflow()) {
        prompts_.ShowDetailedMessage(OverflowText() + "," + texts_.TextUtf8(texts::TooManyDoubleByteChars),
                                     "glyphs: more than the " + std::to_string(kDoubleByteCapacity) +
                                         " different double-byte characters an image holds",
                                     texts_.TextUtf8(texts::DownloadFormCaption), MessageIcon::Information);
        return Aborted();
    }
    const std::size_t glyphs = sets_.DoubleBytes().size() + sets_.SingleBytes().size();
    const auto alarms = static_cast<std::size_t>(project_.Settings.AlarmCount);
    progress_.Begin(texts_.TextUtf8(texts::PreparePageContent),
                    static_cast<int>(counts.Pages + counts.Elements + glyphs + alarms) + kSectionSteps);
    if (!Step()) return Cancelled();

    // Work arrays at their full sizes; running out of memory here ends the build with its message.
    pages_.reserve(counts.Pages);
    elements_.reserve(counts.Elements);
    elementData_.Reserve(kElementDataCapacity);
    alarmTexts_.Reserve(kElementDataCapacity);
    alarmOffsets_.reserve(alarms);
    globalKeys_.Reserve(kGlobalKeyEntrySize * kGlobalKeySlots);
    doubleByteGlyphs_.reserve(kDoubleByteGlyphSize * sets_.DoubleBytes().size());
    singleByteGlyphs_.reserve(kSingleByteGlyphSize * sets_.SingleBytes().size());
    if (!Step()) return Cancelled();

    if (auto end = ReadGlyphs()) return *end;
    if (!WriteElementData()) return Cancelled();
    if (!elementData_.Sound()) return Refused();
    if (!WriteAlarmTexts()) return Cancelled();

    WriteGlobalKeys(globalKeys_, project_);
    if (!Step()) return Cancelled();
    header_.Bytes(std::vector<uint8_t>(kDirectorySize));
    WriteSettingsBlock(header_, project_, pages_.size(), globalKeys_.Data());
    if (!Step()) return Cancelled();
    return Assemble();
}

// Lays the sections out behind the directory and turns every offset into a panel address.
BuildOutcome ImageBuilder::Assemble() {
    const std::size_t h = header_.Size();
    const std::size_t glyphBytes = doubleByteGlyphs_.size() + singleByteGlyphs_.size();
    const std::size_t g = h + glyphBytes;
    const std::size_t elementDirectory = g + kPageRecordSize * pages_.size();
    const std::size_t elementData = elementDirectory + kElementEntrySize * elements_.size();
    const std::size_t alarmDirectory = elementData + elementData_.Size();
    const std::size_t alarmTexts = alarmDirectory + kAlarmEntrySize * alarmOffsets_.size();
    const std::size_t length = alarmTexts + alarmTexts_.Size();
    const bool sound = elementData_.Sound() && alarmTexts_.Sound() && globalKeys_.Sound() && header_.Sound();
    if (!sound || length > kLargestImage) return Refused();

    ImageWriter image(length);
    image.U32(Address(g));
    image.U32(Address(alarmDirectory));
    image.U32(Address(h));
    image.U32(Address(h + doubleByteGlyphs_.size()));
    image.Bytes(header_.Data().subspan(kDirectorySize));
    if (!Step()) return Cancelled();

    image.Bytes(doubleByteGlyphs_);
    image.Bytes(singleByteGlyphs_);
    for (const PageRecord& page : pages_) {
        image.U16(page.Number);
        image.U8(static_cast<uint8_t>(page.ElementCount));
        image.U16(page.PrvPageNo);
        image.U16(page.NxtPageNo);
        image.U32(Address(elementDirectory + kElementEntrySize * page.FirstEntry));
    }
    if (!Step()) return Cancelled();

    for (const ElementEntry& entry : elements_) {
        image.U8(entry.Kind);
        image.U32(Address(elementData + entry.Offset));
    }
    image.Bytes(elementData_.Data());
    for (std::size_t offset : alarmOffsets_)
        image.U32(Address(alarmTexts + offset));
    image.Bytes(alarmTexts_.Data());
    if (!Step()) return Cancelled();

    BuildOutcome outcome{BuildStatus::Built, {}};
    outcome.Image.Bytes = image.Take();
    outcome.Image.HeaderLength = static_cast<uint32_t>(h);
    outcome.Image.GlyphLength = static_cast<uint32_t>(glyphBytes);
    return outcome;
}

}  // namespace

BuildOutcome PreparePageContent(const Project& project, const ImageBuildContext& context,
                                BuildProgress& progress, UserPrompts& prompts) {
    static const Language builtinTexts;
    const Language& texts = context.Texts != nullptr ? *context.Texts : builtinTexts;
    ImageBuilder builder(project, context, texts, progress, prompts);
    try {
        return builder.Run();
    } catch (const std::bad_alloc&) {
        builder.ShowOutOfMemory();
        return {BuildStatus::Aborted, {}};
    }
}

}  // namespace qxed
