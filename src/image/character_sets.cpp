#include "image/character_sets.h"

#include <algorithm>

#include "model/element.h"
#include "model/element_symbols.h"
#include "model/project.h"

namespace qxed {
namespace {

constexpr uint8_t kFirstLeadByte = 0x80;

// Inserts a code into an ascending, duplicate-free vector; false when it was already there.
template <class Code>
bool InsertSorted(std::vector<Code>& codes, Code code) {
    const auto position = std::lower_bound(codes.begin(), codes.end(), code);
    if (position != codes.end() && *position == code) return false;
    codes.insert(position, code);
    return true;
}

template <class Code>
int IndexOf(const std::vector<Code>& codes, Code code) {
    const auto position = std::lower_bound(codes.begin(), codes.end(), code);
    if (position == codes.end() || *position != code) return -1;
    return static_cast<int>(position - codes.begin());
}

uint16_t PairCode(uint8_t first, uint8_t second) {
    return static_cast<uint16_t>(first << 8 | second);
}

// Every displayed text of one element.
void AddElementTexts(const Element& element, const Language& language, TextLanguage textLanguage,
                     CharacterSets& sets) {
    if (const auto* text = element.If<TextFields>()) {
        sets.AddText(text->Content, textLanguage);
    } else if (const auto* lamp = element.If<LampFields>()) {
        sets.AddSymbolText(LampSymbol(language, lamp->LampType, true));
        sets.AddSymbolText(LampSymbol(language, lamp->LampType, false));
    } else if (const auto* key = element.If<FuncKeyFields>()) {
        sets.AddSymbolText(KeySymbol(language, key->Action.Key, key->Action.WithHand != 0));
    } else if (const auto* varText = element.If<VarTextFields>()) {
        const int32_t count = std::clamp<int32_t>(varText->Count, 0, kVarTextEntries);
        for (int32_t i = 0; i < count; ++i)
            sets.AddText(varText->Texts[static_cast<size_t>(i)], textLanguage);
    }
}

}  // namespace

void CharacterSets::Clear() {
    doubleBytes_.clear();
    singleBytes_.clear();
    extraDoubleBytes_.clear();
    doubleByteOverflow_ = false;
}

void CharacterSets::AddDoubleByte(uint16_t code) {
    if (IndexOf(doubleBytes_, code) >= 0) return;
    if (doubleBytes_.size() < kDoubleByteCapacity) {
        InsertSorted(doubleBytes_, code);
        return;
    }
    InsertSorted(extraDoubleBytes_, code);
    doubleByteOverflow_ = true;
}

void CharacterSets::AddSingleByte(uint8_t code) {
    InsertSorted(singleBytes_, code);
}

void CharacterSets::AddText(std::string_view bytes, TextLanguage language) {
    const bool pairsLeadBytes = language != TextLanguage::Ru;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<uint8_t>(bytes[i]);
        if (pairsLeadBytes && byte >= kFirstLeadByte && i + 1 < bytes.size()) {
            AddDoubleByte(PairCode(byte, static_cast<uint8_t>(bytes[i + 1])));
            ++i;
        } else {
            AddSingleByte(byte);
        }
    }
}

void CharacterSets::AddSymbolText(std::string_view bytes) {
    size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2)
        AddDoubleByte(PairCode(static_cast<uint8_t>(bytes[i]), static_cast<uint8_t>(bytes[i + 1])));
    if (i < bytes.size()) AddSingleByte(static_cast<uint8_t>(bytes[i]));
}

int CharacterSets::IndexOfDoubleByte(uint16_t code) const {
    return IndexOf(doubleBytes_, code);
}

int CharacterSets::IndexOfSingleByte(uint8_t code) const {
    return IndexOf(singleBytes_, code);
}

ProjectCounts CollectCharacters(const Project& project, const Language& language, TextLanguage textLanguage,
                                CharacterSets& sets) {
    sets.Clear();
    ProjectCounts counts;
    for (const Page& page : project.Pages()) {
        ++counts.Pages;
        counts.Elements += page.Elements.size();
        for (const Element& element : page.Elements)
            AddElementTexts(element, language, textLanguage, sets);
    }
    const int32_t alarmCount = std::clamp<int32_t>(project.Settings.AlarmCount, 0, kMaxAlarmTexts);
    for (int32_t i = 0; i < alarmCount; ++i)
        sets.AddText(project.AlarmTexts[static_cast<size_t>(i)], textLanguage);
    return counts;
}

}  // namespace qxed
