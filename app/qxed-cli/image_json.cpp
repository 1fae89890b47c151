#include "image_json.h"

#include <nlohmann/json.hpp>

namespace qxed::cli {

namespace {

using Json = nlohmann::ordered_json;

Json FieldJson(const ImageField& field) {
    Json object = {{"name", field.Name}, {"offset", field.Offset}, {"size", field.Size}};
    if (std::holds_alternative<uint32_t>(field.Value)) object["value"] = field.Number();
    if (const auto* flags = std::get_if<ImageFlags>(&field.Value)) {
        object["value"] = flags->Bits;
        object["set"] = flags->Set;
    }
    if (const auto* text = std::get_if<ImageText>(&field.Value)) object["indexes"] = text->Indexes;
    return object;
}

}  // namespace

std::string ImageJson(const DecodedImage& image) {
    Json root = {{"model", image.Model}, {"L", image.Length}, {"H", image.HeaderLength}};
    root["directory"] = {{"pageTable", image.Directory.PageTable},
                         {"alarmDirectory", image.Directory.AlarmDirectory},
                         {"doubleByteGlyphs", image.Directory.DoubleByteGlyphs},
                         {"singleByteGlyphs", image.Directory.SingleByteGlyphs}};
    root["glyphs"] = {{"doubleByte", image.DoubleByteCount}, {"singleByte", image.SingleByteCount}};
    root["settings"] = {{"PanelStation", image.Settings.PanelStation},
                        {"PageCount", image.Settings.PageCount},
                        {"AlarmCount", image.Settings.AlarmCount},
                        {"HomePageNo", image.Settings.HomePageNo},
                        {"GlobalKeys", image.Settings.GlobalKeys.size()}};
    Json pages = Json::array();
    for (std::size_t p = 0; p < image.Pages.size(); ++p) {
        const ImagePage& page = image.Pages[p];
        Json elements = Json::array();
        for (const ImageElement& element : image.Elements) {
            if (element.Page != p) continue;
            Json fields = Json::array();
            for (const ImageField& field : element.Fields)
                fields.push_back(FieldJson(field));
            elements.push_back({{"kind", element.KindCode},
                                {"address", element.Address},
                                {"size", element.Size},
                                {"fields", std::move(fields)}});
        }
        pages.push_back({{"Number", page.Number},
                         {"PrvPageNo", page.PrvPageNo},
                         {"NxtPageNo", page.NxtPageNo},
                         {"elements", std::move(elements)}});
    }
    root["pages"] = std::move(pages);
    Json alarms = Json::array();
    for (const ImageAlarm& alarm : image.Alarms)
        alarms.push_back({{"address", alarm.Address}, {"indexes", alarm.Text.Indexes}});
    root["alarms"] = std::move(alarms);
    return root.dump(2) + "\n";
}

}  // namespace qxed::cli
