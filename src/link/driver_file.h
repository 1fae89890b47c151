#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qxed {

// The PLC driver files that come with the panel's driver set: one per panel model and PLC type, below the
// program folder in fsc/<language folder>/<GTK|HD6>/. A driver file mirrors the panel's flash from address
// 0: the 53248 driver bytes sent to the panel sit at the offsets of their panel addresses (0x3000..0xFFFF),
// and the five driver values lie in four-byte little-endian fields from 0x33800 (only the low byte of
// each is a value). A file shorter than the last value field cannot be read.
constexpr uint32_t kDriverAreaAddress = 0x3000;
constexpr uint32_t kDriverAreaLength = 53248;
constexpr uint32_t kDriverValuesOffset = 0x33800;
constexpr uint32_t kDriverFileMinimumLength = kDriverValuesOffset + 5 * 4;

// D1 driver model code, D2 driver version, D3 display kind, D4 driver system version, D5 driver revision.
struct DriverValues {
    uint8_t D1 = 0, D2 = 0, D3 = 0, D4 = 0, D5 = 0;
    bool operator==(const DriverValues&) const = default;
};

// "En" for text languages 0 and 1, "sCh" for 2, "Ru" for 3 (anything else "En").
std::string DriverLanguageFolder(int textLanguage);
// programFolder + "/fsc/" + language folder + "/GTK" (display variant bit set) or "/HD6".
std::string DriverFolder(const std::string& programFolder, int textLanguage, bool gtkDisplay);
// Model prefix + the two-digit driver number + suffix, e.g. "746024.dat" for model 0 and PLC type 21;
// empty for a model index outside 0..12. The driver number is the PLC type index + 3, except 07 for the
// types that share that driver.
std::string DriverFileName(int modelIndex, int plcType);

// The five values of the file's bytes; nullopt when the file is too short.
std::optional<DriverValues> ReadDriverValues(const std::vector<uint8_t>& file);
// The 53248 driver bytes; nullopt when the file is too short.
std::optional<std::vector<uint8_t>> DriverArea(const std::vector<uint8_t>& file);

// The bytes of a driver file with the given values and driver bytes (53248 of them; the rest of the area
// is zero when fewer are given), for the panel simulator and the tests.
std::vector<uint8_t> MakeDriverFile(const DriverValues& values, const std::vector<uint8_t>& driverBytes);

}  // namespace qxed
