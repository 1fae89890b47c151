#pragma once
// What each field of the text form means and which values the editor's controls let a person enter: the one
// table that the schema, the reference and `qxed-cli check` read. The field lists themselves stay in
// record_fields.h; this table only describes them, so a field the lists gain without a row here is found by
// the tests.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace qxed::fields {

// One value of a coded field and what it means.
struct FieldCode {
    int Value;
    std::string_view Meaning;
};

// How the range of a field is bounded beyond its fixed Min..Max.
enum class RangeScope {
    Fixed,        // Min..Max is the whole story
    Model,        // the panel model narrows it further (key codes, characters per line, counts)
    PlcType,      // the PLC type's operand lists and bounds narrow it
    EditorUnits,  // a position or size in editor units: panel dots x Z / 16 of the model
};

struct FieldRule {
    std::string_view Record;  // "settings", "page", "element", "PlcAddress", "KeyAction", "Font", a kind name
    std::string_view Name;
    int64_t Min;
    int64_t Max;
    std::span<const FieldCode> Codes;  // empty: any value in Min..Max
    RangeScope Scope;
    std::string_view Meaning;
};

// The record whose rows a kind's fields fall back on when the kind has none of its own ("Trend" and "Bar"
// share the graph fields).
inline constexpr std::string_view kGraphRecord = "graph";

// The row of a field in a record; a kind's field falls back on the graph record for trends and bars. Nullptr
// for a field without a row.
const FieldRule* FindFieldRule(std::string_view record, std::string_view name);

// Every row, for the reference and the tests.
std::span<const FieldRule> AllFieldRules();

// The text of a code of a field ("1 page jump"), or nullopt when the field has no such code.
std::optional<std::string_view> CodeMeaning(const FieldRule& rule, int value);

}  // namespace qxed::fields
