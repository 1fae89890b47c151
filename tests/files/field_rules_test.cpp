#include "files/field_rules.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <set>
#include <utility>

#include "files/form_schema.h"
#include "files/record_fields.h"

namespace qxed {
namespace {

// Every field name a record's list visits, nested records by their own names.
class NameCollector {
  public:
    std::vector<std::string> Names;
    void Int(const char* name, int32_t) { Names.emplace_back(name); }
    void Byte(const char* name, uint8_t) { Names.emplace_back(name); }
    void Color(const char* name, uint32_t) { Names.emplace_back(name); }
    void Text(const char* name, const std::string&, int) { Names.emplace_back(name); }
    void Address(const char* name, const PlcAddress&) { Names.emplace_back(name); }
    void Action(const char* name, const KeyAction&) { Names.emplace_back(name); }
    void Font(const char* name, const FontDesc&) { Names.emplace_back(name); }
    void TextTable(const char* count, const char* texts, int32_t, const VarTextTable&, int) {
        Names.emplace_back(count);
        Names.emplace_back(texts);
    }
    void Bitmap(const char* name, const std::vector<uint8_t>&) { Names.emplace_back(name); }
};

template <class Record>
std::vector<std::string> NamesOf(const Record record) {
    NameCollector collector;
    fields::VisitFields(collector, std::as_const(record));
    return collector.Names;
}

// Every record of the form with the fields its list visits.
std::vector<std::pair<std::string, std::vector<std::string>>> AllRecords() {
    std::vector<std::pair<std::string, std::vector<std::string>>> records = {
        {"PlcAddress", NamesOf(PlcAddress{})},
        {"KeyAction", NamesOf(KeyAction{})},
        {"Font", NamesOf(FontDesc{})},
        {"settings", NamesOf(ProjectSettings{})},
    };
    NameCollector header;
    const Element plain{};
    fields::VisitHeader(header, plain);
    records.emplace_back("element", header.Names);
    for (int32_t kind = kFirstElementKind; kind <= kLastElementKind; ++kind) {
        Element element;
        element.Kind = kind;
        // Alternative i of the fields is kind i.
        element.Fields = [kind]<std::size_t... I>(std::index_sequence<I...>) {
            ElementFields fields;
            ((I == static_cast<std::size_t>(kind) ? (fields = ElementFields(std::in_place_index<I>), 0) : 0),
             ...);
            return fields;
        }
        (std::make_index_sequence<std::variant_size_v<ElementFields>>());
        NameCollector collector;
        const ElementFields& kindFields = element.Fields;
        fields::VisitKindFields(collector, kindFields);
        records.emplace_back(std::string(KindName(kind)), collector.Names);
    }
    return records;
}

TEST(FieldRules, EveryFieldOfEveryRecordHasItsRowAndEveryRowAField) {
    std::set<std::pair<std::string, std::string>> visited;
    for (const auto& [record, names] : AllRecords()) {
        ASSERT_FALSE(names.empty() && record != "element") << record;
        for (const std::string& name : names) {
            const fields::FieldRule* rule = fields::FindFieldRule(record, name);
            EXPECT_NE(rule, nullptr) << record << "." << name << " has no row";
            if (rule != nullptr) visited.emplace(std::string(rule->Record), std::string(rule->Name));
        }
    }
    for (const fields::FieldRule& rule : fields::AllFieldRules()) {
        if (rule.Record == "page") continue;  // the page's fields are not a record list of their own
        EXPECT_TRUE(visited.contains({std::string(rule.Record), std::string(rule.Name)}))
            << rule.Record << "." << rule.Name << " describes no field";
        EXPECT_LE(rule.Min, rule.Max) << rule.Record << "." << rule.Name;
        for (const fields::FieldCode& code : rule.Codes)
            EXPECT_TRUE(code.Value >= rule.Min && code.Value <= rule.Max) << rule.Record << "." << rule.Name;
    }
}

TEST(FieldRules, TheSchemaNamesEveryFieldOfEveryKind) {
    const nlohmann::json schema = nlohmann::json::parse(FormSchemaJson());
    const nlohmann::json& kinds = schema["$defs"]["element"]["oneOf"];
    ASSERT_EQ(kinds.size(), static_cast<std::size_t>(kLastElementKind) + 1);  // and the unknown kinds
    for (const auto& [record, names] : AllRecords()) {
        if (record == "element") {  // the common fields are in every kind's object, the unknown kinds' too
            for (const nlohmann::json& kind : kinds)
                for (const std::string& name : names)
                    EXPECT_TRUE(kind["properties"].contains(name)) << kind.value("title", "") << "." << name;
            continue;
        }
        const nlohmann::json* properties = nullptr;
        for (const nlohmann::json& kind : kinds)
            if (kind.value("title", "") == record) properties = &kind["properties"];
        if (properties == nullptr && schema["$defs"].contains(record))
            properties = &schema["$defs"][record]["properties"];
        ASSERT_NE(properties, nullptr) << record;
        for (const std::string& name : names)
            EXPECT_TRUE(properties->contains(name)) << record << "." << name;
    }
    // A coded field lists exactly its codes.
    const nlohmann::json& function = schema["$defs"]["KeyAction"]["properties"]["Function"];
    EXPECT_EQ(function["enum"], nlohmann::json::parse("[0, 1, 2, 3, 4]"));
    const nlohmann::json& digits = kinds[1]["properties"]["Digits"];
    EXPECT_EQ(digits["minimum"], 1);
    EXPECT_EQ(digits["maximum"], 10);
}

TEST(FieldRules, TheReferenceDescribesEveryField) {
    std::ifstream in(std::string(QXED_SOURCE_DIR) + "/docs/json-form.md");
    const std::string reference((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(reference.empty());
    for (const auto& [record, names] : AllRecords()) {
        EXPECT_NE(reference.find("`" + record + "`"), std::string::npos) << record;
        for (const std::string& name : names)
            EXPECT_NE(reference.find("`" + name + "`"), std::string::npos) << record << "." << name;
    }
    // The meanings of the coded fields beyond yes and no are spelled out as well.
    for (const fields::FieldRule& rule : fields::AllFieldRules()) {
        if (rule.Codes.size() <= 2) continue;
        for (const fields::FieldCode& code : rule.Codes)
            EXPECT_NE(reference.find(std::string(code.Meaning)), std::string::npos)
                << rule.Record << "." << rule.Name << " code " << code.Value;
    }
}

}  // namespace
}  // namespace qxed
