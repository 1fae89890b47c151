#include "files/form_schema.h"

#include <limits>
#include <utility>

#include "files/field_rules.h"
#include "files/json_form.h"
#include "files/record_fields.h"
#include "model/element.h"
#include "model/key_codes.h"
#include "model/project.h"

namespace qxed {

namespace {

using fields::FieldRule;
using json_form::Json;

constexpr std::string_view kDefs = "#/$defs/";

Json Ref(std::string_view name) {
    return Json{{"$ref", std::string(kDefs) + std::string(name)}};
}

// A text is a string (UTF-8, converted to the project's code page) or {"hex": "..."} of its bytes.
Json TextSchema() {
    Json hex = {{"type", "object"},
                {"properties", {{"hex", {{"type", "string"}, {"pattern", "^([0-9A-Fa-f]{2})*$"}}}}},
                {"required", {"hex"}},
                {"additionalProperties", false}};
    return {
        {"description", "a text: a string, or {\"hex\": \"...\"} with its bytes in the project's code page"},
        {"anyOf", Json::array({Json{{"type", "string"}}, std::move(hex)})}};
}

std::string Describe(const FieldRule* rule) {
    if (rule == nullptr) return {};
    std::string text(rule->Meaning);
    if (!rule->Codes.empty()) {
        text += ". Codes:";
        for (const fields::FieldCode& code : rule->Codes)
            text += " " + std::to_string(code.Value) + " " + std::string(code.Meaning) + ";";
        text.pop_back();
    }
    return text;
}

Json IntegerSchema(const FieldRule* rule, int64_t typeMin, int64_t typeMax) {
    Json schema = {{"type", "integer"}};
    const std::string description = Describe(rule);
    if (!description.empty()) schema["description"] = description;
    if (rule != nullptr && !rule->Codes.empty()) {
        Json values = Json::array();
        for (const fields::FieldCode& code : rule->Codes)
            values.push_back(code.Value);
        schema["enum"] = std::move(values);
        return schema;
    }
    schema["minimum"] = rule != nullptr ? std::max(rule->Min, typeMin) : typeMin;
    schema["maximum"] = rule != nullptr ? std::min(rule->Max, typeMax) : typeMax;
    return schema;
}

// Collects the properties of one record from its field list.
class SchemaWriter {
  public:
    SchemaWriter(Json& properties, std::string_view record) : properties_(properties), record_(record) {}

    void Int(const char* name, int32_t) {
        properties_[name] = IntegerSchema(Rule(name), std::numeric_limits<int32_t>::min(),
                                          std::numeric_limits<int32_t>::max());
    }
    void Byte(const char* name, uint8_t) { properties_[name] = IntegerSchema(Rule(name), 0, 255); }
    void Color(const char* name, uint32_t) {
        properties_[name] = IntegerSchema(Rule(name), std::numeric_limits<int32_t>::min(),
                                          std::numeric_limits<uint32_t>::max());
    }
    void Text(const char* name, const std::string&, int capacity) {
        properties_[name] = Texted(name, capacity);
    }
    void Address(const char* name, const PlcAddress&) { properties_[name] = Described(name, "PlcAddress"); }
    void Action(const char* name, const KeyAction&) { properties_[name] = Described(name, "KeyAction"); }
    void Font(const char* name, const FontDesc&) { properties_[name] = Described(name, "Font"); }
    void TextTable(const char* countName, const char* textsName, int32_t, const VarTextTable&, int capacity) {
        properties_[countName] = IntegerSchema(Rule(countName), 0, kVarTextEntries);
        Json texts = {{"type", "array"}, {"maxItems", kVarTextEntries}, {"items", Ref("text")}};
        texts["description"] = Describe(Rule(textsName)) + " (" + std::to_string(capacity) + " bytes)";
        properties_[textsName] = std::move(texts);
    }
    void Bitmap(const char* name, const std::vector<uint8_t>&) {
        properties_[name] = {{"type", "string"},
                             {"contentEncoding", "base64"},
                             {"contentMediaType", "image/bmp"},
                             {"description", Describe(Rule(name))}};
    }

  private:
    const FieldRule* Rule(std::string_view name) const { return fields::FindFieldRule(record_, name); }
    Json Texted(const char* name, int capacity) const {
        Json schema = Ref("text");
        std::string description = Describe(Rule(name));
        if (description.empty()) description = "a text";
        schema["description"] = description + " (" + std::to_string(capacity) + " bytes)";
        return schema;
    }
    Json Described(const char* name, std::string_view def) const {
        Json schema = Ref(def);
        const std::string description = Describe(Rule(name));
        if (!description.empty()) schema["description"] = description;
        return schema;
    }

    Json& properties_;
    std::string_view record_;
};

template <class Record>
Json ObjectSchema(std::string_view recordName, const Record& record, std::string_view description) {
    Json properties = Json::object();
    SchemaWriter writer(properties, recordName);
    fields::VisitFields(writer, record);
    return {{"type", "object"},
            {"description", std::string(description)},
            {"properties", std::move(properties)},
            {"additionalProperties", false}};
}

// The header and the kind's own fields of one kind, with "Kind" its name or code.
Json KindSchema(int32_t kind, const ElementFields& kindFields) {
    Json properties = Json::object();
    const std::string name(KindName(kind));
    properties["Kind"] = {{"enum", Json::array({name, kind})},
                          {"description", "the element kind, by name or by code " + std::to_string(kind)}};
    const Element header{};
    SchemaWriter headerWriter(properties, "element");
    fields::VisitHeader(headerWriter, header);
    SchemaWriter writer(properties, name);
    fields::VisitKindFields(writer, kindFields);
    return {{"type", "object"},
            {"title", name},
            {"properties", std::move(properties)},
            {"required", {"Kind"}},
            {"additionalProperties", false}};
}

template <std::size_t... Kinds>
Json ElementSchemas(std::index_sequence<Kinds...>) {
    Json kinds = Json::array();
    // Alternative i of the fields is kind code i; 0 is the kind a file may hold that this editor does not
    // know, which keeps its code and has no fields of its own.
    (kinds.push_back(
         KindSchema(static_cast<int32_t>(Kinds + 1), ElementFields(std::in_place_index<Kinds + 1>))),
     ...);
    Json unknown = {{"type", "object"},
                    {"title", "unknown kind"},
                    {"properties", Json::object()},
                    {"required", {"Kind"}},
                    {"additionalProperties", false}};
    unknown["properties"]["Kind"] = {
        {"type", "integer"},
        {"not", {{"minimum", kFirstElementKind}, {"maximum", kLastElementKind}}},
        {"description", "a kind code this editor does not know; such an element has only the common fields"}};
    const Element header{};
    SchemaWriter headerWriter(unknown["properties"], "element");
    fields::VisitHeader(headerWriter, header);
    kinds.push_back(std::move(unknown));
    return {{"description", "one element: the common fields and those of its kind"},
            {"oneOf", std::move(kinds)}};
}

Json KeyCodes() {
    Json codes = Json::array();
    for (int code = 0; code < KeyCodeCount; ++code)
        codes.push_back(code);
    return codes;
}

Json PageSchema() {
    Json properties = Json::object();
    const auto pageField = [&properties](const char* name) {
        properties[name] = IntegerSchema(fields::FindFieldRule("page", name), 0, 65535);
    };
    pageField("Number");
    properties["Title"] = Ref("text");
    properties["Title"]["description"] = Describe(fields::FindFieldRule("page", "Title"));
    pageField("PrvPageNo");
    pageField("NxtPageNo");
    properties["elements"] = {
        {"type", "array"}, {"items", Ref("element")}, {"description", "the elements, the top-most first"}};
    return {{"type", "object"},
            {"description", "one page"},
            {"properties", std::move(properties)},
            {"required", {"Number"}},
            {"additionalProperties", false}};
}

}  // namespace

std::string FormSchemaJson() {
    Json defs = Json::object();
    defs["text"] = TextSchema();
    defs["PlcAddress"] = ObjectSchema("PlcAddress", PlcAddress{}, "an operand of the PLC");
    defs["KeyAction"] = ObjectSchema("KeyAction", KeyAction{}, "what a key does");
    defs["KeyAction"]["properties"]["Key"]["enum"] = KeyCodes();
    defs["Font"] =
        ObjectSchema("Font", FontDesc{}, "a desktop font; Size and Height must agree when both are given");
    defs["settings"] = ObjectSchema("settings", ProjectSettings{}, "the project's settings");
    defs["page"] = PageSchema();
    defs["element"] = ElementSchemas(std::make_index_sequence<kLastElementKind>());

    Json properties = Json::object();
    properties["ProjectVersion"] = {{"type", "integer"},
                                    {"description", "the version of the file dumped; ignored when read"}};
    properties["VersionText"] = Ref("text");
    properties["VersionText"]["description"] = "the version text of the file dumped; ignored when read";
    properties["settings"] = Ref("settings");
    properties["pages"] = {{"type", "array"},
                           {"minItems", 1},
                           {"items", Ref("page")},
                           {"description", "the pages; absent: one empty page 1"}};
    properties["AlarmTexts"] = {{"type", "array"},
                                {"maxItems", kMaxAlarmTexts},
                                {"items", Ref("text")},
                                {"description", "alarm texts 1..AlarmCount, at most 40 bytes each"}};
    properties["GlobalKeyCount"] = {
        {"type", "integer"},
        {"minimum", 0},
        {"maximum", kGlobalKeySlots},
        {"description", "global function keys in use; absent: the length of GlobalKeys"}};
    properties["GlobalKeys"] = {{"type", "array"},
                                {"maxItems", kGlobalKeySlots},
                                {"items", Ref("KeyAction")},
                                {"description", "the global function keys"}};

    Json schema = Json::object();
    schema["$schema"] = "https://json-schema.org/draft/2020-12/schema";
    schema["$id"] = "https://qxed.invalid/schema/project-form.json";
    schema["title"] = "QXED project (JSON form)";
    schema["description"] =
        "A project for QX200 operator panels, as `qxed-cli dump` writes it and `qxed-cli make` reads it.";
    schema["type"] = "object";
    schema["properties"] = std::move(properties);
    schema["additionalProperties"] = false;
    schema["$defs"] = std::move(defs);
    return schema.dump(2) + "\n";
}

}  // namespace qxed
