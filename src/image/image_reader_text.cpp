// The decoded image as text for an engineer: one line per field, indented by section.
#include <cstdio>
#include <iterator>
#include <sstream>

#include "image/image_format.h"
#include "image/image_reader.h"
#include "image/image_reader_cursor.h"
#include "model/panel_model.h"

namespace qxed {

using namespace image_reader;

namespace {

constexpr const char* kFunctionNames[] = {"set coil", "page jump", "advanced", "none", "set data"};

std::string Address(std::size_t offset) {
    return Hex(static_cast<uint32_t>(image_format::kImageBase + offset), 5);
}

std::string Flags(const ImageFlags& flags) {
    std::string text = Hex(flags.Bits, 2);
    for (const std::string& name : flags.Set)
        text += " " + name;
    return text;
}

std::string Operand(const ImageOperand& operand) {
    return "station " + std::to_string(operand.Station) + ", type code " + std::to_string(operand.TypeCode) +
           ", number " + std::to_string(operand.Number);
}

std::string KeyAction(const ImageKeyAction& action) {
    std::string text = "function " + std::to_string(action.Function);
    if (action.Function < std::size(kFunctionNames))
        text += std::string(" (") + kFunctionNames[action.Function] + ")";
    text += ", parameter " + std::to_string(action.Parameter);
    text += action.Function == 0 ? ", Coil " : ", RegAddress ";
    text += Operand(action.Operand);
    text += ", PageNo " + std::to_string(action.PageNo) + ", length " + std::to_string(action.Length) +
            ", SetValue " + std::to_string(static_cast<int32_t>(action.SetValue));
    return text;
}

std::string Text(const ImageText& text) {
    std::string line = std::to_string(text.Indexes.size()) + " index bytes";
    char hex[4];
    for (const uint8_t index : text.Indexes) {
        std::snprintf(hex, sizeof hex, " %02X", index);
        line += hex;
    }
    return line;
}

std::string Bitmap(const ImageBitmap& bitmap) {
    std::string text =
        std::to_string(bitmap.Size) + " bytes, " + (bitmap.RowLayout ? "row" : "column") + " layout";
    if (bitmap.Lines != 0 || bitmap.PerLine != 0) {
        text += ", " + std::to_string(bitmap.Lines) + (bitmap.RowLayout ? " rows x " : " columns x ") +
                std::to_string(bitmap.PerLine) + (bitmap.RowLayout ? " bytes" : " bands") + ", shift " +
                std::to_string(bitmap.Shift);
    }
    return text;
}

std::string FieldValue(const ImageField& field) {
    struct Visitor {
        const ImageField& Field;
        std::string operator()(uint32_t value) const {
            // Four-byte fields hold signed values (limits, scale ends, set values).
            return Field.Size == 4 ? std::to_string(static_cast<int32_t>(value)) : std::to_string(value);
        }
        std::string operator()(const ImageFlags& flags) const { return Flags(flags); }
        std::string operator()(const ImageOperand& operand) const { return Operand(operand); }
        std::string operator()(const ImageKeyAction& action) const { return KeyAction(action); }
        std::string operator()(const ImageText& text) const { return Text(text); }
        std::string operator()(const ImageBitmap& bitmap) const { return Bitmap(bitmap); }
    };
    return std::visit(Visitor{field}, field.Value);
}

std::string Password(const ImageSettings& settings) {
    std::string digits;
    bool complementsMatch = true;
    for (std::size_t k = 0; k < settings.PasswordDigits.size(); ++k) {
        const uint8_t digit = settings.PasswordDigits[k];
        digits += digit <= 9 ? std::string(1, static_cast<char>('0' + digit)) : "[" + Hex(digit, 2) + "]";
        complementsMatch =
            complementsMatch && settings.PasswordComplements[k] == static_cast<uint8_t>(~digit);
    }
    return digits + (complementsMatch ? " (complement bytes match)" : " (complement bytes do NOT match)");
}

void WriteSettings(std::ostream& out, const DecodedImage& image) {
    const ImageSettings& s = image.Settings;
    out << "settings block: " << image.HeaderLength - image_format::kDirectorySize << " bytes at "
        << Address(image_format::kDirectorySize) << " (H = " << image.HeaderLength << ")\n";
    out << "  PanelStation: " << int{s.PanelStation} << '\n';
    out << "  pages: " << int{s.PageCount} << '\n';
    out << "  AlarmCount: " << int{s.AlarmCount} << '\n';
    out << "  AlarmCoil: " << Operand(s.AlarmCoil) << '\n';
    out << "  HomePageNo: " << s.HomePageNo << '\n';
    out << "  Password: " << Password(s) << '\n';
    out << "  BaudCode: " << int{s.BaudCode} << '\n';
    out << "  Parity: " << int{s.Parity} << '\n';
    out << "  SevenDataBits: " << int{s.SevenDataBits} << '\n';
    out << "  OneStopBit: " << int{s.OneStopBit} << '\n';
    out << "  options: " << Flags(s.Options) << '\n';
    out << "  word options: " << Flags(s.WordOptions) << '\n';
    out << "  CtrlReg: " << Operand(s.CtrlReg) << '\n';
    out << "  ModuleNum: " << int{s.ModuleNum} << '\n';
    out << "  PanelStatusLedNum: " << int{s.PanelStatusLedNum} << '\n';
    out << "  PLC line code: " << Hex(s.PlcLineCode, 2) << '\n';
    out << "  screen saver delay: " << int{s.ScreenSaveMinutes} << " minutes\n";
    out << "  ScreenSaveTurnOffLight: " << int{s.ScreenSaveTurnOffLight} << '\n';
    out << "  ScreenSavePageNo: " << s.ScreenSavePageNo << '\n';
    if (!image_format::CarriesGlobalKeys(image.Model)) return;
    out << "  global keys: " << s.GlobalKeys.size() << '\n';
    for (std::size_t i = 0; i < s.GlobalKeys.size(); ++i) {
        const ImageGlobalKey& key = s.GlobalKeys[i];
        out << "    key " << i + 1 << ": attribute " << Hex(key.Attribute, 2)
            << (key.Attribute & 0x40 ? " Encrypt" : "") << ", " << KeyAction(key.Action) << '\n';
    }
}

}  // namespace

std::string FormatScreenDataImage(const DecodedImage& image) {
    std::ostringstream out;
    const PanelModel* model = FindPanelModel(image.Model);
    out << "screen data image: " << image.Length << " bytes (L) at " << Address(0) << ", model "
        << image.Model;
    if (model != nullptr) out << " (" << model->Code << ")";
    out << ", " << (image_format::UsesRowLayout(image.Model) ? "row" : "column") << " layout, "
        << image_format::CoordinateWidth(image.Model) << "-byte coordinates\n";

    const ImageDirectory& d = image.Directory;
    out << "directory:\n"
        << "  page table: " << Hex(d.PageTable, 5) << '\n'
        << "  alarm directory: " << Hex(d.AlarmDirectory, 5) << '\n'
        << "  double-byte glyphs: " << Hex(d.DoubleByteGlyphs, 5) << '\n'
        << "  single-byte glyphs: " << Hex(d.SingleByteGlyphs, 5) << '\n';

    WriteSettings(out, image);

    out << "glyphs: " << image.DoubleByteCount << " double-byte ("
        << image.DoubleByteCount * image_format::kDoubleByteGlyphSize << " bytes at "
        << Hex(d.DoubleByteGlyphs, 5) << "), " << image.SingleByteCount << " single-byte ("
        << image.SingleByteCount * image_format::kSingleByteGlyphSize << " bytes at "
        << Hex(d.SingleByteGlyphs, 5) << ")\n";

    out << "page table: " << image.Pages.size() << " pages at " << Hex(d.PageTable, 5) << '\n';
    for (const ImagePage& page : image.Pages) {
        out << "  page " << page.Number << ": elements " << int{page.ElementCount} << ", prev "
            << page.PrvPageNo << ", next " << page.NxtPageNo << ", first entry " << Hex(page.FirstEntry, 5)
            << '\n';
    }

    out << "elements: " << image.Elements.size() << '\n';
    for (std::size_t i = 0; i < image.Elements.size(); ++i) {
        const ImageElement& element = image.Elements[i];
        out << "  element " << i + 1 << " on page " << image.Pages[element.Page].Number << ": kind "
            << int{element.KindCode} << " " << ImageKindName(element.KindCode) << ", entry "
            << Address(element.EntryOffset) << ", data " << Hex(element.Address, 5) << ", " << element.Size
            << " bytes\n";
        for (const ImageField& field : element.Fields)
            out << "    " << field.Name << ": " << FieldValue(field) << '\n';
    }

    out << "alarm texts: " << image.Alarms.size() << " (directory at " << Hex(d.AlarmDirectory, 5) << ")\n";
    for (std::size_t i = 0; i < image.Alarms.size(); ++i) {
        const ImageAlarm& alarm = image.Alarms[i];
        out << "  alarm " << i + 1 << " at " << Hex(alarm.Address, 5) << ": " << Text(alarm.Text) << '\n';
    }
    return out.str();
}

}  // namespace qxed
