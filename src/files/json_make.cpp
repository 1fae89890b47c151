#include <algorithm>
#include <cstdint>
#include <limits>
#include <set>

#include "files/base64.h"
#include "files/json_form.h"
#include "files/json_parse.h"
#include "files/json_text.h"
#include "files/project_json.h"
#include "files/record_fields.h"
#include "gfx/raster_image.h"
#include "model/element_defaults.h"
#include "model/element_rules.h"
#include "model/panel_model.h"

namespace qxed {

namespace {

using json_form::FormError;
using json_form::IndexPath;
using json_form::Json;
using json_form::MemberPath;
using json_form::TypeName;

int64_t IntegerIn(const Json& value, const std::string& path, int64_t min, int64_t max) {
    if (!value.is_number_integer()) {
        throw FormError{path, "expected an integer, found " + std::string(TypeName(value))};
    }
    const auto outside = [&](const std::string& shown) {
        return FormError{
            path, "the value " + shown + " is outside " + std::to_string(min) + ".." + std::to_string(max)};
    };
    if (value.is_number_unsigned()) {
        const auto number = value.get<uint64_t>();
        if (number > static_cast<uint64_t>(max)) throw outside(std::to_string(number));
        return static_cast<int64_t>(number);
    }
    const auto number = value.get<int64_t>();
    if (number < min || number > max) throw outside(std::to_string(number));
    return number;
}

const Json& ArrayAt(const Json& value, const std::string& path) {
    if (!value.is_array()) throw FormError{path, "expected an array, found " + std::string(TypeName(value))};
    return value;
}

// A picture's BMP file from base64; the bytes must decode as a bitmap, since the preview, the image builder
// and the panel all need its dots.
LoadedPicture PictureFromJson(const Json& value, const std::string& path) {
    if (!value.is_string()) {
        throw FormError{path, "expected base64 text of a BMP file, found " + std::string(TypeName(value))};
    }
    std::optional<std::vector<uint8_t>> bytes = DecodeBase64(value.get_ref<const std::string&>());
    if (!bytes) throw FormError{path, "not valid base64"};
    LoadedPicture picture;
    if (bytes->empty()) return picture;
    const std::optional<RasterImage> image = DecodeBmp(*bytes);
    if (!image) throw FormError{path, "not a readable BMP picture"};
    picture.Width = image->Width;
    picture.Height = image->Height;
    picture.Bmp = std::move(*bytes);
    return picture;
}

// Reads the fields it is given from one JSON object; absent fields keep what the record holds. Keys that no
// field claimed are errors (Finish).
class Reader {
  public:
    Reader(const Json& object, std::string path, CodePage codePage)
        : object_(object), path_(std::move(path)), codePage_(codePage) {
        if (!object_.is_object()) {
            throw FormError{path_, "expected an object, found " + std::string(TypeName(object_))};
        }
    }

    const std::string& Path() const { return path_; }
    std::string PathOf(std::string_view name) const { return MemberPath(path_, name); }
    bool Has(std::string_view name) const { return object_.contains(name); }

    // The value of a key, which counts as known from now on; nullptr when absent.
    const Json* Take(std::string_view name) {
        const auto it = object_.find(name);
        if (it == object_.end()) return nullptr;
        used_.emplace(name);
        return &*it;
    }
    const Json& Require(std::string_view name, std::string_view what) {
        const Json* value = Take(name);
        if (value == nullptr) throw FormError{PathOf(name), "missing: " + std::string(what)};
        return *value;
    }

    void Int(const char* name, int32_t& field) {
        ReadInteger(name, field, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max());
    }
    void Byte(const char* name, uint8_t& field) { ReadInteger(name, field, 0, 255); }
    // A colour is an int32 in the file; dump writes its unsigned reading, and the signed one (the window-text
    // colour 0xFF000008 is -16777208) means the same bits.
    void Color(const char* name, uint32_t& field) {
        if (const Json* value = Take(name)) {
            const int64_t number = IntegerIn(*value, PathOf(name), std::numeric_limits<int32_t>::min(),
                                             std::numeric_limits<uint32_t>::max());
            field = static_cast<uint32_t>(number);
        }
    }
    void PageNo(const char* name, uint16_t& field) { ReadInteger(name, field, 0, 65535); }

    void Text(const char* name, std::string& field, int capacity) {
        if (const Json* value = Take(name))
            field = json_form::TextFromJson(*value, codePage_, capacity, PathOf(name));
    }

    void Address(const char* name, PlcAddress& address) { Nested(name, address); }
    void Action(const char* name, KeyAction& action) { Nested(name, action); }
    void Font(const char* name, FontDesc& font) {
        const Json* value = Take(name);
        if (value == nullptr) return;
        Reader reader(*value, PathOf(name), codePage_);
        fields::VisitFields(reader, font);
        // Size and height describe one thing; the one given decides the other. A project file keeps the
        // size and derives the height from it on reading, so both given must agree, or the saved project
        // would open with another font.
        if (reader.Has("Size") && !reader.Has("Height")) font.SetSize(font.Size);
        if (reader.Has("Height") && !reader.Has("Size")) font.SetHeight(font.Height);
        if (reader.Has("Size") && reader.Has("Height")) {
            FontDesc sized = font;
            sized.SetSize(font.Size);
            if (sized.Height != font.Height) {
                throw FormError{reader.PathOf("Height"), "does not match Size " + std::to_string(font.Size) +
                                                             ", which gives Height " +
                                                             std::to_string(sized.Height)};
            }
        }
        reader.Finish();
    }

    // A count with its array: an absent count is the array's length; a count that disagrees with the
    // array is an error. Entries from the count on are empty.
    void TextTable(const char* countName, const char* textsName, int32_t& count, VarTextTable& texts,
                   int capacity) {
        const Json* countValue = Take(countName);
        const Json* textsValue = Take(textsName);
        if (countValue != nullptr) {
            count = static_cast<int32_t>(IntegerIn(*countValue, PathOf(countName), 0, kVarTextEntries));
        }
        if (textsValue != nullptr) {
            const Json& entries = ArrayAt(*textsValue, PathOf(textsName));
            if (entries.size() > static_cast<size_t>(kVarTextEntries)) {
                throw FormError{PathOf(textsName), std::to_string(entries.size()) +
                                                       " entries, more than the " +
                                                       std::to_string(kVarTextEntries) + " a table holds"};
            }
            if (countValue != nullptr && static_cast<size_t>(count) != entries.size()) {
                throw FormError{PathOf(countName), Disagreement(countName, count, textsName, entries.size())};
            }
            count = static_cast<int32_t>(entries.size());
            for (size_t i = 0; i < entries.size(); ++i)
                texts[i] =
                    json_form::TextFromJson(entries[i], codePage_, capacity, IndexPath(PathOf(textsName), i));
        }
        texts.KeepFirst(static_cast<size_t>(std::max(count, 0)));
    }

    void Bitmap(const char* name, std::vector<uint8_t>& bmp) {
        if (const Json* value = Take(name)) bmp = PictureFromJson(*value, PathOf(name)).Bmp;
    }

    // Marks a key as known without reading it.
    void Ignore(std::string_view name) { Take(name); }

    void Finish() const {
        for (const auto& [key, value] : object_.items()) {
            if (!used_.contains(key)) throw FormError{PathOf(key), "unknown key"};
        }
    }

    static std::string Disagreement(std::string_view countName, int64_t count, std::string_view arrayName,
                                    size_t entries) {
        return std::string(countName) + " " + std::to_string(count) + " disagrees with the " +
               std::to_string(entries) + " entries of " + std::string(arrayName);
    }

  private:
    template <class T>
    void ReadInteger(const char* name, T& field, int64_t min, int64_t max) {
        if (const Json* value = Take(name)) field = static_cast<T>(IntegerIn(*value, PathOf(name), min, max));
    }

    template <class Record>
    void Nested(const char* name, Record& record) {
        const Json* value = Take(name);
        if (value == nullptr) return;
        Reader reader(*value, PathOf(name), codePage_);
        fields::VisitFields(reader, record);
        reader.Finish();
    }

    const Json& object_;
    std::string path_;
    CodePage codePage_;
    std::set<std::string, std::less<>> used_;
};

int32_t KindFromJson(const Json& value, const std::string& path) {
    if (value.is_string()) {
        const std::string& name = value.get_ref<const std::string&>();
        if (const std::optional<int32_t> kind = KindOfName(name)) return *kind;
        throw FormError{path, "unknown element kind \"" + name + "\""};
    }
    if (!value.is_number_integer()) {
        throw FormError{path, "expected a kind name or code, found " + std::string(TypeName(value))};
    }
    // A code outside the kind table is what a file held for a kind this editor does not know: such an
    // element keeps its code and has no fields, as when the file is opened.
    return static_cast<int32_t>(
        IntegerIn(value, path, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

// Derived sizes that the JSON leaves out follow the texts it gives, as the editor keeps them after an edit.
void CompleteVarText(VarTextFields& fields, const Reader& reader, const PanelModel& model) {
    if (reader.Has("MaxLen") || !(reader.Has("Texts") || reader.Has("Count"))) return;
    size_t longest = 0;
    for (int i = 0; i < fields.Count; ++i)
        longest = std::max(longest, fields.Texts[static_cast<size_t>(i)].size());
    fields.MaxLen = static_cast<int32_t>(std::min<size_t>(longest, static_cast<size_t>(model.CharsPerLine)));
}

void CompleteVarFontText(VarFontTextFields& fields, const Reader& reader, const PanelModel& model,
                         CodePage codePage) {
    if (reader.Has("MaxWidth") && reader.Has("MaxHeight")) return;
    if (!(reader.Has("Texts") || reader.Has("Count") || reader.Has("Font"))) return;
    Size widest;
    for (int i = 0; i < fields.Count; ++i) {
        const Size size = MeasureFontTextUnits(fields.Font, fields.Texts[static_cast<size_t>(i)], codePage,
                                               model.PreviewScale);
        if (i == 0 || size.Width > widest.Width) widest = size;
    }
    if (!reader.Has("MaxWidth")) fields.MaxWidth = widest.Width;
    if (!reader.Has("MaxHeight")) fields.MaxHeight = widest.Height;
}

Element ElementFromJson(const Json& value, const std::string& path, const Project& project) {
    const CodePage codePage = project.Defaults.TextCodePage;
    Reader reader(value, path, codePage);
    const int32_t kind =
        KindFromJson(reader.Require("Kind", "every element names its kind"), reader.PathOf("Kind"));

    // A picture's size defaults to its bitmap's, as when the picture is placed.
    std::optional<LoadedPicture> picture;
    if (kind == static_cast<int32_t>(ElementKind::Pic) && reader.Has("Bitmap")) {
        picture = PictureFromJson(value.at("Bitmap"), reader.PathOf("Bitmap"));
        if (picture->Bmp.empty()) picture.reset();
    }
    Element element = NewElement(project, kind, picture ? &*picture : nullptr);

    fields::VisitHeader(reader, element);
    fields::VisitKindFields(reader, element.Fields);
    reader.Finish();

    const PanelModel& model = *FindPanelModel(project.Settings.CurrentModel);
    if (auto* varText = element.If<VarTextFields>()) CompleteVarText(*varText, reader, model);
    if (auto* varFontText = element.If<VarFontTextFields>())
        CompleteVarFontText(*varFontText, reader, model, codePage);
    return element;
}

Page PageFromJson(const Json& value, const std::string& path, const Project& project) {
    Reader reader(value, path, project.Defaults.TextCodePage);
    Page page;
    reader.Require("Number", "every page has its number");
    reader.PageNo("Number", page.Number);
    page.PrvPageNo = DefaultPrvPageNo(page.Number);
    page.NxtPageNo = DefaultNxtPageNo(page.Number);
    reader.Text("Title", page.Title, kShortTextCapacity);
    reader.PageNo("PrvPageNo", page.PrvPageNo);
    reader.PageNo("NxtPageNo", page.NxtPageNo);
    if (const Json* elements = reader.Take("elements")) {
        const std::string elementsPath = reader.PathOf("elements");
        for (size_t i = 0; i < ArrayAt(*elements, elementsPath).size(); ++i)
            page.Elements.push_back(ElementFromJson((*elements)[i], IndexPath(elementsPath, i), project));
    }
    reader.Finish();
    return page;
}

// PlcType and CurrentModel decide the defaults of everything else, so they are read first and the project is
// reset for them: the reset then gives the model's default key to the global key slots.
void ResetFor(Project& project, const Json* settings) {
    int32_t plcType = project.Settings.PlcType;
    uint8_t model = project.Settings.CurrentModel;
    if (settings != nullptr) {
        Reader reader(*settings, "settings", project.Defaults.TextCodePage);
        reader.Int("PlcType", plcType);
        reader.Byte("CurrentModel", model);
    }
    if (FindPanelModel(model) == nullptr) {
        throw FormError{"settings.CurrentModel", "panel model " + std::to_string(model) + " is outside 0.." +
                                                     std::to_string(PanelModelCount - 1)};
    }
    project.Settings.PlcType = plcType;
    const int defaultModel = project.Defaults.DefaultModel;
    project.Defaults.DefaultModel = model;
    ResetProject(project);
    project.Defaults.DefaultModel = defaultModel;
    project.Settings.CurrentModel = model;
    for (std::string& text : project.AlarmTexts)
        text.clear();
    project.ClearPages();
}

void ReadAlarmTexts(Project& project, Reader& top, const Json* settings) {
    const Json* alarms = top.Take("AlarmTexts");
    const bool countGiven = settings != nullptr && settings->contains("AlarmCount");
    const int capacity = project.AlarmCapacity();
    int32_t& count = project.Settings.AlarmCount;
    if (alarms == nullptr) {
        if (count < 0 || count > capacity) {
            throw FormError{"settings.AlarmCount", "the value " + std::to_string(count) + " is outside 0.." +
                                                       std::to_string(capacity) +
                                                       ", the model's alarm capacity"};
        }
        return;
    }
    const Json& entries = ArrayAt(*alarms, "AlarmTexts");
    if (countGiven && static_cast<size_t>(std::max(count, -1)) != entries.size()) {
        throw FormError{"settings.AlarmCount",
                        Reader::Disagreement("AlarmCount", count, "AlarmTexts", entries.size())};
    }
    if (entries.size() > static_cast<size_t>(capacity)) {
        throw FormError{"AlarmTexts", std::to_string(entries.size()) +
                                          " alarm texts, more than the model's " + std::to_string(capacity)};
    }
    for (size_t i = 0; i < entries.size(); ++i)
        project.AlarmTexts[i] = json_form::TextFromJson(entries[i], project.Defaults.TextCodePage,
                                                        kShortTextCapacity, IndexPath("AlarmTexts", i));
    count = static_cast<int32_t>(entries.size());
}

void ReadGlobalKeys(Project& project, Reader& top) {
    const Json* countValue = top.Take("GlobalKeyCount");
    const Json* keys = top.Take("GlobalKeys");
    if (countValue != nullptr)
        project.GlobalKeyCount =
            static_cast<int32_t>(IntegerIn(*countValue, "GlobalKeyCount", 0, kGlobalKeySlots));
    if (keys == nullptr) return;
    const Json& entries = ArrayAt(*keys, "GlobalKeys");
    if (entries.size() > static_cast<size_t>(kGlobalKeySlots)) {
        throw FormError{"GlobalKeys", std::to_string(entries.size()) + " keys, more than the " +
                                          std::to_string(kGlobalKeySlots) + " slots"};
    }
    if (countValue != nullptr && static_cast<size_t>(project.GlobalKeyCount) != entries.size()) {
        throw FormError{"GlobalKeyCount", Reader::Disagreement("GlobalKeyCount", project.GlobalKeyCount,
                                                               "GlobalKeys", entries.size())};
    }
    for (size_t i = 0; i < entries.size(); ++i) {
        Reader reader(entries[i], IndexPath("GlobalKeys", i), project.Defaults.TextCodePage);
        fields::VisitFields(reader, project.GlobalKeys[i]);
        reader.Finish();
    }
    project.GlobalKeyCount = static_cast<int32_t>(entries.size());
}

void ReadPages(Project& project, Reader& top) {
    std::vector<Page> pages;
    if (const Json* values = top.Take("pages")) {
        const Json& entries = ArrayAt(*values, "pages");
        if (entries.empty()) throw FormError{"pages", "a project has at least one page"};
        std::set<uint16_t> numbers;
        for (size_t i = 0; i < entries.size(); ++i) {
            const std::string path = IndexPath("pages", i);
            pages.push_back(PageFromJson(entries[i], path, project));
            if (!numbers.insert(pages.back().Number).second) {
                throw FormError{MemberPath(path, "Number"),
                                "page " + std::to_string(pages.back().Number) + " appears twice"};
            }
        }
    } else {
        // Like a new project: one empty page 1.
        Page first;
        first.Number = 1;
        first.PrvPageNo = DefaultPrvPageNo(1);
        first.NxtPageNo = DefaultNxtPageNo(1);
        pages.push_back(std::move(first));
    }
    // The page list is kept in ascending number order whatever order the text lists them in.
    std::stable_sort(pages.begin(), pages.end(),
                     [](const Page& a, const Page& b) { return a.Number < b.Number; });
    for (Page& page : pages)
        project.AppendPage(std::move(page));
}

void ReadProject(const Json& root, Project& project) {
    Reader top(root, "", project.Defaults.TextCodePage);
    // The source file's header is information only.
    top.Ignore("ProjectVersion");
    top.Ignore("VersionText");

    const Json* settings = top.Take("settings");
    ResetFor(project, settings);
    if (settings != nullptr) {
        Reader reader(*settings, "settings", project.Defaults.TextCodePage);
        fields::VisitFields(reader, project.Settings);
        reader.Finish();
    }
    ReadAlarmTexts(project, top, settings);
    ReadGlobalKeys(project, top);
    ReadPages(project, top);
    top.Finish();
}

}  // namespace

std::optional<JsonFormError> MakeProjectFromJson(const std::string& text, Project& project) {
    try {
        ReadProject(json_form::ParseText(text), project);
    } catch (const FormError& error) {
        return JsonFormError{error.Path, error.Message};
    } catch (const Json::exception& error) {
        return JsonFormError{"", json_form::WithoutExceptionId(error.what())};
    }
    return std::nullopt;
}

}  // namespace qxed
