#include "support/old_version_files.h"

#include <iterator>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>

#include "files/byte_io.h"
#include "files/record_fields.h"
#include "model/element_defaults.h"
#include "support/sample_project.h"

namespace qxed::testing {

namespace {

// The layouts in words: a field path ("CtrlReg.TypeIndex"), "gap:N" for N bytes a reader skips,
// "PATH:slot25" for a text (or each text of a table) in a 25-byte slot, "Jump:alarmlist" for the alarm-list
// byte of versions 7-10, "Font:default" for a font that is not stored, "*" for every field of the record
// as the current version stores it.

struct SettingsLayout {
    int First;
    int Last;
    const char* Words;
};
const SettingsLayout kSettingsLayouts[] = {
    {1, 1, "HomePageNo Password PlcType"},
    {2, 2,
     "HomePageNo Password PlcType BaudCode Parity SevenDataBits OneStopBit CtrlFlags gap:3 "
     "CtrlReg.TypeIndex CtrlReg.Number ReservedByte gap:19"},
    {3, 4,
     "HomePageNo Password PlcType BaudCode Parity SevenDataBits OneStopBit CtrlFlags CtrlReg "
     "ReservedByte"},
    {5, 5,
     "PlcType HomePageNo Password AlarmCount AlarmCoil BaudCode Parity SevenDataBits OneStopBit "
     "CtrlFlags CtrlReg ReservedByte ScreenSaveTime"},
    {6, 8,
     "PlcType PanelStation HomePageNo Password AlarmCount AlarmCoil BaudCode Parity SevenDataBits "
     "OneStopBit CtrlFlags CtrlReg ReservedByte ScreenSaveTime"},
    {9, 9,
     "PlcType PanelStation HomePageNo Password AlarmCount AlarmCoil BaudCode Parity SevenDataBits "
     "OneStopBit CtrlFlags CtrlReg ReservedByte ScreenSaveTime ScreenSaveTurnOffLight ScreenSavePageNo"},
    {10, 11,
     "PlcType PanelStation HomePageNo Password AlarmCount AlarmCoil BaudCode Parity SevenDataBits "
     "OneStopBit CtrlFlags CtrlReg ReservedByte ModuleNum ScreenSaveTime ScreenSaveTurnOffLight "
     "ScreenSavePageNo"},
    {12, 12,
     "PlcType CurrentModel PanelStation HomePageNo Password AlarmCount AlarmCoil BaudCode Parity "
     "SevenDataBits OneStopBit CtrlFlags CtrlReg ReservedByte ModuleNum ScreenSaveTime "
     "ScreenSaveTurnOffLight ScreenSavePageNo"},
    {13, 13,
     "PlcType CurrentModel PanelStation HomePageNo Password AlarmCount AlarmCoil BaudCode Parity "
     "SevenDataBits OneStopBit CtrlFlags CtrlReg ReservedByte ModuleNum PanelStatusLedNum ScreenSaveTime "
     "ScreenSaveTurnOffLight ScreenSavePageNo"},
    {14, 21,
     "PlcType CurrentModel PanelStation HomePageNo Password AlarmCount AlarmCoil BaudCode Parity "
     "SevenDataBits OneStopBit CtrlFlags CtrlReg ReservedByte ModuleNum PanelStatusLedNum ScreenSaveTime "
     "ScreenSaveTurnOffLight ScreenSavePageNo BlueGroundWhiteText"},
    {22, 25,
     "PlcType CurrentModel PanelStation HomePageNo Password AlarmCount AlarmCoil BaudCode Parity "
     "SevenDataBits OneStopBit CtrlFlags CtrlReg ReservedByte ModuleNum PanelStatusLedNum ScreenSaveTime "
     "ScreenSaveTurnOffLight ScreenSavePageNo BlueGroundWhiteText PowerBeep"},
    {26, 26,
     "PlcType CurrentModel PanelStation HomePageNo Password AlarmCount AlarmCoil BaudCode Parity "
     "SevenDataBits OneStopBit CtrlFlags CtrlReg ReservedByte ModuleNum PanelStatusLedNum ScreenSaveTime "
     "ScreenSaveTurnOffLight ScreenSavePageNo BlueGroundWhiteText PowerBeep ExchangeWord"},
    {27, 27, "*"},
};

const char kKey27[] = "Key Disappear WithHand Encrypt Function Coil CoilAction Jump PageNo PlcStop";

// Function key paths start inside the key action.
struct ElementLayout {
    ElementKind Kind;
    int First;
    int Last;
    const char* Words;
};
const ElementLayout kElementLayouts[] = {
    {ElementKind::Text, 1, 14, "Content:slot25"},
    {ElementKind::Text, 15, 27, "*"},
    {ElementKind::Reg, 1, 2,
     "Address.TypeIndex Address.Number Num Digits DecimalDigits DecDisp Unsigned NeedSet Encrypt Limit "
     "gap:3 UpLimit LowLimit"},
    {ElementKind::Reg, 3, 15,
     "Address Num Digits DecimalDigits DecDisp Unsigned NeedSet Encrypt Limit UpLimit LowLimit"},
    {ElementKind::Reg, 16, 22,
     "Address Num Digits DecimalDigits Pre0 DecDisp Unsigned NeedSet Encrypt Limit UpLimit LowLimit"},
    {ElementKind::Reg, 23, 27,
     "Address Num Digits DecimalDigits Pre0 Float DecDisp Unsigned NeedSet Encrypt Limit UpLimit LowLimit"},
    {ElementKind::Lamp, 1, 2, "LampType Coil.TypeIndex Coil.Number PosLogic gap:3"},
    {ElementKind::Lamp, 3, 27, "*"},
    {ElementKind::FuncKey, 1, 2,
     "Key WithHand Encrypt Function gap:1 Coil.TypeIndex Coil.Number CoilAction gap:3 PageNo PlcStop gap:3"},
    {ElementKind::FuncKey, 3, 3, "Key WithHand Encrypt Function Coil CoilAction PageNo PlcStop"},
    {ElementKind::FuncKey, 4, 6, "Key Disappear WithHand Encrypt Function Coil CoilAction PageNo PlcStop"},
    {ElementKind::FuncKey, 7, 10,
     "Key Disappear WithHand Encrypt Function Coil CoilAction Jump:alarmlist PageNo PlcStop"},
    {ElementKind::FuncKey, 11, 17, kKey27},
    {ElementKind::FuncKey, 18, 27, "*"},
    {ElementKind::Trend, 8, 23,
     "Address Num DecDisp Unsigned Width Height ZeroValue FullValue SamplePoints SamplePeriod"},
    {ElementKind::Trend, 24, 27, "*"},
    {ElementKind::Bar, 8, 23, "Address Num DecDisp Unsigned Width Height ZeroValue FullValue Direct"},
    {ElementKind::Bar, 24, 27, "*"},
    {ElementKind::Pic, 9, 27, "*"},
    {ElementKind::VarText, 11, 14, "Address DecDisp Count:slot25 MaxLen"},
    {ElementKind::VarText, 15, 27, "*"},
    {ElementKind::FontText, 19, 19, "Content gap:4 Font:default"},
    {ElementKind::FontText, 20, 27, "*"},
    {ElementKind::TouchKey, 21, 27, "*"},
    {ElementKind::VarFontText, 21, 27, "*"},
    {ElementKind::ASCIIText, 25, 27, "*"},
};

enum class Keys { None, Uncounted, Counted27, Counted47 };
struct Tail {
    int First;
    int Last;
    std::size_t AlarmSlot;  // 0: no alarm texts
    Keys GlobalKeys;
};
const Tail kTails[] = {
    {1, 4, 0, Keys::None},         {5, 14, 25, Keys::None},       {15, 16, 41, Keys::Uncounted},
    {17, 17, 41, Keys::Counted27}, {18, 27, 41, Keys::Counted47},
};

// The version that brought the kind: the first of its layouts.
int FirstVersionOf(ElementKind kind) {
    int first = 0;
    for (const ElementLayout& row : kElementLayouts) {
        if (row.Kind == kind && (first == 0 || row.First < first)) first = row.First;
    }
    return first;
}

const char* SettingsWords(int version) {
    for (const SettingsLayout& row : kSettingsLayouts)
        if (version >= row.First && version <= row.Last) return row.Words;
    return "";
}

const char* ElementWords(ElementKind kind, int version) {
    for (const ElementLayout& row : kElementLayouts)
        if (row.Kind == kind && version >= row.First && version <= row.Last) return row.Words;
    return nullptr;
}

Tail TailOf(int version) {
    for (const Tail& row : kTails)
        if (version >= row.First && version <= row.Last) return row;
    return {};
}

// Text slots whose unused bytes hold junk that readers must ignore, and junk in the gaps they skip.
void PutJunk(ByteWriter& out, std::size_t count) {
    out.Bytes(std::vector<uint8_t>(count, 0xEE));
}
void PutSlot(ByteWriter& out, const std::string& text, std::size_t slotSize) {
    out.U8(static_cast<uint8_t>(text.size()));
    out.Bytes({reinterpret_cast<const uint8_t*>(text.data()), text.size()});
    out.Bytes(std::vector<uint8_t>(slotSize - 1 - text.size(), 0xA5));
}

// Values that differ from every default and from each other.
class SampleValues {
  public:
    std::map<std::string, int32_t, std::less<>> Fixed;  // by field name

    int32_t Int(std::string_view name) {
        if (const auto fixed = Fixed.find(name); fixed != Fixed.end()) return fixed->second;
        ++count_;
        return (count_ % 2 ? -1 : 1) * (1000 + 37 * count_);
    }
    uint8_t Byte(std::string_view name) {
        if (const auto fixed = Fixed.find(name); fixed != Fixed.end())
            return static_cast<uint8_t>(fixed->second);
        ++count_;
        return static_cast<uint8_t>(2 + count_ % 250);
    }
    // 1, 0, 1, 0, ...
    uint8_t AlarmListByte() { return alarmList_++ % 2 == 0 ? 1 : 0; }
    // A text that fills the capacity.
    std::string Text(std::size_t capacity) {
        ++count_;
        std::string text;
        while (text.size() < capacity)
            text += "t" + std::to_string(count_) + "-";
        return text.substr(0, capacity);
    }
    FontDesc Font() {
        ++count_;
        FontDesc font;
        font.Charset = 134;
        font.Color = static_cast<uint32_t>(0x00102030 + count_);
        font.Name = "Face" + std::to_string(count_);
        font.Pitch = FontDesc::kFixedPitch;
        font.SetSize(8 + count_ % 30);
        font.Style = static_cast<uint8_t>(count_ % 16);
        return font;
    }

  private:
    int32_t count_ = 0;
    int alarmList_ = 0;
};

enum class Form { Stored, Slot25, AlarmList, DefaultFont };

// Gives the fields a layout word names a sample value and writes them as the word says. An empty path
// takes every field of the record.
class SampleFieldWriter {
  public:
    SampleFieldWriter(ByteWriter& out, SampleValues& values, std::string_view path, Form form)
        : out_(out), values_(values), rest_(path), form_(form), all_(path.empty()) {}

    bool Found() const { return found_ || all_; }

    void Int(const char* name, int32_t& field) {
        if (!Match(name)) return;
        field = values_.Int(name);
        out_.I32(field);
    }
    void Byte(const char* name, uint8_t& field) {
        if (!Match(name)) return;
        if (form_ == Form::AlarmList) {
            const uint8_t stored = values_.AlarmListByte();
            out_.U8(stored);
            field = stored != 0 ? 2 : 0;
        } else {
            field = values_.Byte(name);
            out_.U8(field);
        }
    }
    void Color(const char* name, uint32_t& field) {
        if (!Match(name)) return;
        field = static_cast<uint32_t>(values_.Int(name));
        out_.I32(static_cast<int32_t>(field));
    }
    void Address(const char* name, PlcAddress& address) {
        Descend(name, [&] { fields::VisitFields(*this, address); });
    }
    void Action(const char* name, KeyAction& action) {
        Descend(name, [&] { fields::VisitFields(*this, action); });
    }
    void Font(const char* name, FontDesc& font) {
        if (!Match(name)) return;
        if (form_ == Form::DefaultFont) {
            font = FontDesc{};
            return;
        }
        font = values_.Font();
        out_.U8(font.Charset);
        out_.I32(static_cast<int32_t>(font.Color));
        out_.I32(font.Height);
        PutSlot(out_, font.Name, 129);
        out_.U8(font.Pitch);
        out_.I32(font.Size);
        out_.U8(font.Style);
    }
    void Text(const char* name, std::string& field, int capacity) {
        if (!Match(name)) return;
        const std::size_t held = CapacityOf(capacity);
        field = values_.Text(held);
        PutSlot(out_, field, held + 1);
    }
    void TextTable(const char* countName, const char*, int32_t& count, VarTextTable& texts, int capacity) {
        if (!Match(countName)) return;
        const std::size_t held = CapacityOf(capacity);
        count = 3;
        texts.Clear();
        texts[0] = values_.Text(held);
        texts[2] = "C";  // an empty entry before it
        out_.I32(count);
        for (int i = 0; i < count; ++i)
            PutSlot(out_, texts[static_cast<std::size_t>(i)], held + 1);
    }
    void Bitmap(const char* name, std::vector<uint8_t>& bmp) {
        if (!Match(name)) return;
        bmp = SampleMonoBmp(13, 7);
        out_.I32(static_cast<int32_t>(bmp.size()));
        out_.Bytes(bmp);
    }

  private:
    bool Match(std::string_view name) {
        if (all_) return true;
        if (found_ || rest_ != name) return false;
        found_ = true;
        return true;
    }
    template <class Visit>
    void Descend(std::string_view name, Visit visit) {
        if (all_) {
            visit();
        } else if (!found_ && rest_ == name) {
            found_ = all_ = true;
            visit();
            all_ = false;
        } else if (!found_ && rest_.size() > name.size() && rest_.starts_with(name) &&
                   rest_[name.size()] == '.') {
            rest_.remove_prefix(name.size() + 1);
            visit();
        }
    }
    std::size_t CapacityOf(int capacity) const {
        return form_ == Form::Slot25 ? 24 : static_cast<std::size_t>(capacity);
    }

    ByteWriter& out_;
    SampleValues& values_;
    std::string_view rest_;
    Form form_;
    bool all_;
    bool found_ = false;
};

// Writes every word of a layout; visitRecord walks the record with the writer of one word.
template <class VisitRecord>
void WriteLayout(ByteWriter& out, SampleValues& values, std::string_view words, const std::string& within,
                 VisitRecord visitRecord) {
    std::istringstream stream{std::string(words)};
    std::string word;
    while (stream >> word) {
        if (word.starts_with("gap:")) {
            PutJunk(out, std::stoul(word.substr(4)));
            continue;
        }
        Form form = Form::Stored;
        if (const auto colon = word.find(':'); colon != std::string::npos) {
            const std::string how = word.substr(colon + 1);
            form = how == "slot25" ? Form::Slot25 : how == "alarmlist" ? Form::AlarmList : Form::DefaultFont;
            word.resize(colon);
        }
        const std::string path = word == "*" ? within : within.empty() ? word : within + "." + word;
        SampleFieldWriter writer(out, values, path, form);
        visitRecord(writer);
        if (!writer.Found()) throw std::logic_error("sample layout names no field " + path);
    }
}

void WriteSettings(ByteWriter& out, SampleValues& values, int version, ProjectSettings& settings) {
    WriteLayout(out, values, SettingsWords(version), "",
                [&](SampleFieldWriter& writer) { fields::VisitFields(writer, settings); });
}

void WriteKey(ByteWriter& out, SampleValues& values, std::string_view words, KeyAction& key) {
    WriteLayout(out, values, words, "", [&](SampleFieldWriter& writer) { fields::VisitFields(writer, key); });
}

void WriteElement(ByteWriter& out, SampleValues& values, int version, Project& project, Page& page,
                  int32_t kind) {
    Element element = NewElementForReading(project, kind);
    element.X = values.Int("X");
    element.Y = values.Int("Y");
    element.Double = values.Byte("Double");
    element.Inverse = values.Byte("Inverse");
    element.Kind = kind;
    out.I32(element.X);
    out.I32(element.Y);
    out.U8(element.Double);
    out.U8(element.Inverse);
    out.I32(kind);
    // Kinds the version does not know, and unknown codes, have no data.
    const char* words = IsKnownKind(kind) ? ElementWords(static_cast<ElementKind>(kind), version) : nullptr;
    if (words != nullptr) {
        const std::string within = kind == static_cast<int32_t>(ElementKind::FuncKey) ? "Action" : "";
        WriteLayout(out, values, words, within,
                    [&](SampleFieldWriter& writer) { fields::VisitKindFields(writer, element.Fields); });
    }
    page.Elements.push_back(std::move(element));
}

void WritePage(ByteWriter& out, SampleValues& values, int version, Project& project, uint16_t number,
               const std::vector<int32_t>& kinds) {
    Page page;
    page.Number = number;
    page.Title = values.Text(40);
    page.PrvPageNo = static_cast<uint16_t>(number ^ 0x5555);
    page.NxtPageNo = static_cast<uint16_t>(number + 0x0102);
    out.U16(page.Number);
    PutJunk(out, 2);
    PutSlot(out, page.Title, 41);
    out.U16(page.PrvPageNo);
    out.U16(0xBEEF);  // the first copy of the forward link, which readers pass over
    out.U16(page.NxtPageNo);
    PutJunk(out, 2);
    out.I32(static_cast<int32_t>(kinds.size()));
    for (const int32_t kind : kinds)
        WriteElement(out, values, version, project, page, kind);
    project.AppendPage(std::move(page));
}

constexpr int32_t kPlcTypes[] = {3, 33, 1, 2, 24, 13, 0, 21, 28, 37};
constexpr int32_t kUnknownKind = 13;

}  // namespace

OldVersionSample MakeOldVersionSample(int version) {
    OldVersionSample sample;
    ByteWriter out;
    Project& project = sample.Expected;
    SampleValues values;

    const uint8_t magic[] = {3, 'Q', 'X', '2', 0x5A, 0xA5};
    out.Bytes(magic);
    out.I32(version);
    if (version >= 12) PutSlot(out, "V" + std::to_string(version) + ".x", 11);

    const int32_t plcType = kPlcTypes[(version - 1) % std::size(kPlcTypes)];
    values.Fixed = {{"PlcType", plcType}, {"CurrentModel", version * 5 % 13}, {"AlarmCount", 3}};
    project.ClearPages();
    project.Settings.PlcType = plcType;
    ResetProject(project);
    WriteSettings(out, values, version, project.Settings);

    std::vector<int32_t> known;
    int32_t newer = 0;
    for (int32_t kind = kFirstElementKind; kind <= kLastElementKind; ++kind) {
        if (FirstVersionOf(static_cast<ElementKind>(kind)) <= version) {
            known.push_back(kind);
            if (kind == static_cast<int32_t>(ElementKind::FuncKey)) known.push_back(kind);
        } else if (newer == 0) {
            newer = kind;
        }
    }
    std::vector<int32_t> second;
    if (newer != 0) second.push_back(newer);
    second.push_back(kUnknownKind);
    second.push_back(static_cast<int32_t>(ElementKind::Text));

    out.I32(3);
    WritePage(out, values, version, project, 1, known);
    WritePage(out, values, version, project, 0x8003, second);
    WritePage(out, values, version, project, 0xFFFF, {});

    const Tail tail = TailOf(version);
    if (tail.AlarmSlot != 0) {
        project.AlarmTexts[0] = values.Text(tail.AlarmSlot - 1);
        project.AlarmTexts[2] = "A3";
        for (int i = 0; i < project.Settings.AlarmCount; ++i)
            PutSlot(out, project.AlarmTexts[static_cast<std::size_t>(i)], tail.AlarmSlot);
    }
    constexpr int32_t kKeyCount = 4;
    switch (tail.GlobalKeys) {
        case Keys::None:
            break;
        case Keys::Uncounted: {
            sample.ReadEnd = out.Size();
            // Written like the keys of version 17, but no reader takes them in.
            KeyAction unread = project.GlobalKeys[0];
            for (int32_t i = 0; i < kKeyCount; ++i)
                WriteKey(out, values, kKey27, unread);
            break;
        }
        case Keys::Counted27:
        case Keys::Counted47:
            project.GlobalKeyCount = kKeyCount;
            out.I32(kKeyCount);
            for (int32_t i = 0; i < kKeyCount; ++i)
                WriteKey(out, values, tail.GlobalKeys == Keys::Counted27 ? kKey27 : "*",
                         project.GlobalKeys[static_cast<std::size_t>(i)]);
            break;
    }
    if (sample.ReadEnd == 0) sample.ReadEnd = out.Size();
    sample.Bytes = out.Take();
    return sample;
}

std::vector<uint8_t> OldVersionFile(int version) {
    return MakeOldVersionSample(version).Bytes;
}

}  // namespace qxed::testing
