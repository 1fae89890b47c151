#pragma once
#include <array>
#include <cstdint>
#include <string_view>

#include "link/driver_file.h"

namespace qxed {

// What the download decides from the panel's identity, the driver file and the image length, before it
// sends the first erase frame.

// Identity reply bytes 0..6: flags, model code, installed driver version, system version and revision,
// an unused byte and the PLC protocol value.
using PanelIdentity = std::array<uint8_t, 7>;

// Bits of the identity flags.
constexpr uint8_t kDriverIdentityValid = 0x01;
constexpr uint8_t kGtkDisplay = 0x40;
constexpr uint8_t kCheckPlcProtocol = 0x80;
// The model code's low bits are the panel model index + 1.
constexpr uint8_t kModelCodeIndexBits = 0x1F;

// The oldest driver system version the download accepts.
constexpr uint8_t kLowestDriverSystemVersion = 36;

// Flash sectors: the driver area and the image with its marker.
constexpr int kFirstDriverSector = 3;
constexpr int kLastDriverSector = 15;
constexpr int kFirstImageSector = 16;  // always erased: it holds the marker and the image's start
constexpr int kLastImageSector = 31;
constexpr int kFlaggedImageSectors = kLastImageSector - kFirstImageSector;  // 17..31

// For the image sectors 17..31 in order: whether the image reaches into the sector.
using ImageSectorFlags = std::array<bool, kFlaggedImageSectors>;

// "U" always rewrites the driver area, "N" never; anything else (the default "S") rewrites it unless the
// panel reports a valid installed driver with the file's version, system version and revision.
bool DecideUpgrade(std::string_view mode, const PanelIdentity& identity, const DriverValues& values);

ImageSectorFlags ImageSectors(uint32_t imageLength);

// The progress maximum of the sending part as first set: the driver area, the image's blocks and the rest.
int FullProgressMaximum(uint32_t imageLength);
// What the maximum drops by when the driver area is left as it is.
constexpr int kDriverProgressWeight = 416 + 84;
// What the maximum drops by for the image sectors left unerased.
int UnusedSectorWeight(const ImageSectorFlags& flags, uint32_t imageLength);

}  // namespace qxed
