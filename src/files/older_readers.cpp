#include <algorithm>
#include <stdexcept>
#include <string>
#include <string_view>

#include "files/binary_fields.h"
#include "files/body_readers.h"
#include "files/file_element_records.h"
#include "files/older_layouts.h"
#include "files/project_records.h"
#include "model/panel_model.h"

namespace qxed::records {

namespace {

constexpr uint8_t kJumpToPage = 0;
constexpr uint8_t kJumpToAlarmList = 2;

// Reads the one field of a record that a layout entry names, in the entry's form: it walks the record's
// field list and follows the path into addresses and key actions.
class LayoutFieldReader {
  public:
    LayoutFieldReader(ByteReader& in, FieldForm form, std::string_view path)
        : in_(in), reader_(in), form_(form), rest_(path) {}

    bool Found() const { return found_; }

    void Int(const char* name, int32_t& field) {
        if (Take(name)) reader_.Int(name, field);
    }
    void Byte(const char* name, uint8_t& field) {
        if (!Take(name)) return;
        if (form_ == FieldForm::AlarmListByte) {
            field = in_.U8() != 0 ? kJumpToAlarmList : kJumpToPage;
        } else {
            reader_.Byte(name, field);
        }
    }
    void Color(const char* name, uint32_t& field) {
        if (Take(name)) reader_.Color(name, field);
    }
    void Address(const char* name, PlcAddress& address) {
        if (Take(name)) {
            reader_.Address(name, address);
        } else if (Enter(name)) {
            fields::VisitFields(*this, address);
        }
    }
    void Action(const char* name, KeyAction& action) {
        if (Take(name)) {
            reader_.Action(name, action);
        } else if (Enter(name)) {
            fields::VisitFields(*this, action);
        }
    }
    void Font(const char* name, FontDesc& font) {
        if (!Take(name)) return;
        if (form_ == FieldForm::ToolkitFont) {
            // No face name: the platform's default face, at the default size and charset.
            font = FontDesc{};
        } else {
            reader_.Font(name, font);
        }
    }
    void Text(const char* name, std::string& field, int capacity) {
        if (Take(name)) reader_.Text(name, field, CapacityOf(capacity));
    }
    void TextTable(const char* countName, const char* textsName, int32_t& count, VarTextTable& texts,
                   int capacity) {
        if (Take(countName)) reader_.TextTable(countName, textsName, count, texts, CapacityOf(capacity));
    }
    void Bitmap(const char* name, std::vector<uint8_t>& bmp) {
        if (Take(name)) reader_.Bitmap(name, bmp);
    }

  private:
    bool Take(std::string_view name) {
        if (found_ || rest_ != name) return false;
        found_ = true;
        return true;
    }
    // Strips "name." off the path when the path leads into that record.
    bool Enter(std::string_view name) {
        if (found_ || rest_.size() <= name.size() || !rest_.starts_with(name) || rest_[name.size()] != '.')
            return false;
        rest_.remove_prefix(name.size() + 1);
        return true;
    }
    int CapacityOf(int capacity) const {
        return form_ == FieldForm::OldTextSlot ? kOldTextCapacity : capacity;
    }

    ByteReader& in_;
    FieldReader reader_;
    FieldForm form_;
    std::string_view rest_;
    bool found_ = false;
};

template <class V>
void VisitRecord(V& v, ProjectSettings& settings) {
    fields::VisitFields(v, settings);
}
template <class V>
void VisitRecord(V& v, KeyAction& action) {
    fields::VisitFields(v, action);
}
template <class V>
void VisitRecord(V& v, ElementFields& kindFields) {
    fields::VisitKindFields(v, kindFields);
}

template <class Record>
void ReadLayout(ByteReader& in, Record& record, Layout layout, std::string_view within = {}) {
    for (const LayoutField& field : layout) {
        if (field.Form == FieldForm::Gap) {
            in.Skip(field.GapSize);
            continue;
        }
        const std::string path =
            within.empty() ? std::string(field.Name) : std::string(within) + "." + field.Name;
        LayoutFieldReader reader(in, field.Form, path);
        VisitRecord(reader, record);
        // The layouts name the fields of the record lists; a name that is not there is a slip in a table.
        if (!reader.Found()) throw std::logic_error("no field " + path + " in the record");
    }
}

// The settings block, with the reset for the PLC type in between: fields stored before PlcType (HomePageNo
// and Password up to version 4) are held aside over the reset and then put in.
void ReadSettingsBlock(ByteReader& in, Project& project, Layout layout) {
    const auto plcType = std::find_if(layout.begin(), layout.end(), [](const LayoutField& field) {
        return std::string_view(field.Name) == "PlcType";
    });
    if (plcType == layout.end()) throw std::logic_error("settings layout without PlcType");
    const auto heldCount = static_cast<std::size_t>(plcType - layout.begin());

    ByteReader heldAside = in;
    ProjectSettings upToPlcType;
    ReadLayout(in, upToPlcType, layout.first(heldCount + 1));
    StartLoading(project, upToPlcType.PlcType);
    ReadLayout(heldAside, project.Settings, layout.first(heldCount));
    ReadLayout(in, project.Settings, layout.subspan(heldCount + 1));
    if (FindPanelModel(project.Settings.CurrentModel) == nullptr) throw FormatError("unknown panel model");
}

void ReadElementDataOfVersion(ByteReader& in, Element& element, int32_t version) {
    const int32_t firstVersion = FirstVersionOfKind(element.Kind);
    // Codes outside 1..12 have no data, and kinds newer than the file keep the defaults they were made with.
    if (firstVersion == 0 || version < firstVersion) return;
    if (const ElementLayout* layout = ElementLayoutOf(element.Kind, version)) {
        ReadLayout(in, element.Fields, layout->Fields, layout->Within);
    } else {
        ReadElementData(in, element);
    }
}

void ReadKeyActions27(ByteReader& in, Project& project, int32_t count) {
    for (int32_t i = 0; i < count; ++i)
        ReadLayout(in, project.GlobalKeys[static_cast<std::size_t>(i)], KeyAction27Layout());
}

void ReadTail(ByteReader& in, Project& project, const TailLayout& tail) {
    if (tail.AlarmTextSlot != 0) ReadAlarmTexts(in, project, tail.AlarmTextSlot);
    switch (tail.Keys) {
        case GlobalKeyForm::None:
            break;
        case GlobalKeyForm::Uncounted:
            // The keys stored here have no count: as many are read as the reset left, which is none.
            ReadKeyActions27(in, project, project.GlobalKeyCount);
            break;
        case GlobalKeyForm::Counted27:
            project.GlobalKeyCount = ReadCount(in, kKeyAction27Size, kGlobalKeySlots);
            ReadKeyActions27(in, project, project.GlobalKeyCount);
            break;
        case GlobalKeyForm::Current:
            project.GlobalKeyCount = ReadCount(in, kKeyActionSize, kGlobalKeySlots);
            for (int32_t i = 0; i < project.GlobalKeyCount; ++i)
                ReadKeyAction(in, project.GlobalKeys[static_cast<std::size_t>(i)]);
            break;
    }
}

}  // namespace

void ReadOlderBody(ByteReader& in, Project& project, int32_t version) {
    ReadSettingsBlock(in, project, SettingsLayoutOf(version));
    ReadPages(in, project, [version](ByteReader& data, Element& element) {
        ReadElementDataOfVersion(data, element, version);
    });
    ReadTail(in, project, TailLayoutOf(version));
}

}  // namespace qxed::records
