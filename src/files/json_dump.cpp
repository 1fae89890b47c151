#include <algorithm>

#include "files/base64.h"
#include "files/json_form.h"
#include "files/json_text.h"
#include "files/project_json.h"
#include "files/record_fields.h"

namespace qxed {

namespace {

using json_form::Json;

// Writes every field it is given into one JSON object, in the order given.
class Writer {
  public:
    Writer(Json& object, CodePage codePage) : object_(object), codePage_(codePage) {}

    void Int(const char* name, int32_t value) { object_[name] = value; }
    void Byte(const char* name, uint8_t value) { object_[name] = value; }
    void Color(const char* name, uint32_t value) { object_[name] = value; }
    void Text(const char* name, const std::string& bytes, int /*capacity*/) {
        object_[name] = json_form::TextToJson(bytes, codePage_);
    }
    template <class Record>
    void Nested(const char* name, const Record& record) {
        Json nested = Json::object();
        Writer writer(nested, codePage_);
        fields::VisitFields(writer, record);
        object_[name] = std::move(nested);
    }
    void Address(const char* name, const PlcAddress& address) { Nested(name, address); }
    void Action(const char* name, const KeyAction& action) { Nested(name, action); }
    void Font(const char* name, const FontDesc& font) { Nested(name, font); }
    void TextTable(const char* countName, const char* textsName, int32_t count, const VarTextTable& texts,
                   int /*capacity*/) {
        object_[countName] = count;
        const int used = std::clamp(count, 0, kVarTextEntries);
        Json entries = Json::array();
        for (int i = 0; i < used; ++i)
            entries.push_back(json_form::TextToJson(texts[static_cast<size_t>(i)], codePage_));
        object_[textsName] = std::move(entries);
    }
    void Bitmap(const char* name, const std::vector<uint8_t>& bmp) { object_[name] = EncodeBase64(bmp); }

  private:
    Json& object_;
    CodePage codePage_;
};

Json ElementToJson(const Element& element, CodePage codePage) {
    Json object = Json::object();
    // Kinds outside the table have no name; their number still says what the file held.
    const std::string_view name = KindName(element.Kind);
    if (name.empty()) {
        object["Kind"] = element.Kind;
    } else {
        object["Kind"] = std::string(name);
    }
    Writer writer(object, codePage);
    fields::VisitHeader(writer, element);
    fields::VisitKindFields(writer, element.Fields);
    return object;
}

Json PageToJson(const Page& page, CodePage codePage) {
    Json object = Json::object();
    object["Number"] = page.Number;
    object["Title"] = json_form::TextToJson(page.Title, codePage);
    object["PrvPageNo"] = page.PrvPageNo;
    object["NxtPageNo"] = page.NxtPageNo;
    Json elements = Json::array();
    for (const Element& element : page.Elements)
        elements.push_back(ElementToJson(element, codePage));
    object["elements"] = std::move(elements);
    return object;
}

}  // namespace

std::string DumpProjectJson(const Project& project, const std::optional<ProjectFileHeader>& source) {
    const CodePage codePage = project.Defaults.TextCodePage;
    Json root = Json::object();
    if (source) {
        root["ProjectVersion"] = source->Version;
        root["VersionText"] = json_form::TextToJson(source->VersionText, codePage);
    }

    Json settings = Json::object();
    Writer settingsWriter(settings, codePage);
    fields::VisitFields(settingsWriter, project.Settings);
    root["settings"] = std::move(settings);

    Json pages = Json::array();
    for (const Page& page : project.Pages())
        pages.push_back(PageToJson(page, codePage));
    root["pages"] = std::move(pages);

    // Entries 1..AlarmCount and keys 1..GlobalKeyCount, as the project file stores them.
    Json alarms = Json::array();
    const int alarmCount = std::clamp(project.Settings.AlarmCount, 0, kMaxAlarmTexts);
    for (int i = 0; i < alarmCount; ++i)
        alarms.push_back(json_form::TextToJson(project.AlarmTexts[static_cast<size_t>(i)], codePage));
    root["AlarmTexts"] = std::move(alarms);

    root["GlobalKeyCount"] = project.GlobalKeyCount;
    Json keys = Json::array();
    const int keyCount = std::clamp(project.GlobalKeyCount, 0, kGlobalKeySlots);
    for (int i = 0; i < keyCount; ++i) {
        Json key = Json::object();
        Writer keyWriter(key, codePage);
        fields::VisitFields(keyWriter, project.GlobalKeys[static_cast<size_t>(i)]);
        keys.push_back(std::move(key));
    }
    root["GlobalKeys"] = std::move(keys);

    return root.dump(2) + "\n";
}

}  // namespace qxed
