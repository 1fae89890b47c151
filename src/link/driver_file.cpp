#include "link/driver_file.h"

#include <cstdio>
#include <string_view>

namespace qxed {

namespace {

struct DriverFileForm {
    std::string_view Prefix;
    std::string_view Suffix;
};

// By panel model index.
constexpr DriverFileForm kDriverFileForms[] = {
    {"7460", "2.dat"}, {"image", ".dat"}, {"6460", "2.dat"}, {"5460", "2.dat"},  {"4460", "2.dat"},
    {"7560", "2.dat"}, {"3460", "2.dat"}, {"8460", "2.dat"}, {"image1", ".dat"}, {"3560", "2.dat"},
    {"9460", "2.dat"}, {"2460", "2.dat"}, {"1460", "2.dat"},
};

// PLC types that use driver 07 rather than their own number.
constexpr int kSharedDriverTypes[] = {18, 21, 22, 26, 30, 38};
constexpr int kSharedDriverNumber = 7;

int DriverNumber(int plcType) {
    for (const int type : kSharedDriverTypes)
        if (type == plcType) return kSharedDriverNumber;
    return plcType + 3;
}

}  // namespace

std::string DriverLanguageFolder(int textLanguage) {
    switch (textLanguage) {
        case 2:
            return "sCh";
        case 3:
            return "Ru";
        default:
            return "En";
    }
}

std::string DriverFolder(const std::string& programFolder, int textLanguage, bool gtkDisplay) {
    return programFolder + "/fsc/" + DriverLanguageFolder(textLanguage) + (gtkDisplay ? "/GTK" : "/HD6");
}

std::string DriverFileName(int modelIndex, int plcType) {
    if (modelIndex < 0 || modelIndex >= static_cast<int>(std::size(kDriverFileForms))) return {};
    char number[16];
    std::snprintf(number, sizeof number, "%.2d", DriverNumber(plcType));
    const DriverFileForm& form = kDriverFileForms[modelIndex];
    return std::string(form.Prefix) + number + std::string(form.Suffix);
}

std::optional<DriverValues> ReadDriverValues(const std::vector<uint8_t>& file) {
    if (file.size() < kDriverFileMinimumLength) return std::nullopt;
    const uint8_t* field = file.data() + kDriverValuesOffset;
    return DriverValues{field[0], field[4], field[8], field[12], field[16]};
}

std::optional<std::vector<uint8_t>> DriverArea(const std::vector<uint8_t>& file) {
    if (file.size() < kDriverFileMinimumLength) return std::nullopt;
    const auto begin = file.begin() + kDriverAreaAddress;
    return std::vector<uint8_t>(begin, begin + kDriverAreaLength);
}

std::vector<uint8_t> MakeDriverFile(const DriverValues& values, const std::vector<uint8_t>& driverBytes) {
    std::vector<uint8_t> file(kDriverFileMinimumLength, 0);
    for (size_t i = 0; i < driverBytes.size() && i < kDriverAreaLength; ++i)
        file[kDriverAreaAddress + i] = driverBytes[i];
    const uint8_t fields[] = {values.D1, values.D2, values.D3, values.D4, values.D5};
    for (size_t i = 0; i < std::size(fields); ++i)
        file[kDriverValuesOffset + 4 * i] = fields[i];
    return file;
}

}  // namespace qxed
