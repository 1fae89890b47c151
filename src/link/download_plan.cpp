#include "link/download_plan.h"

#include "image/image_format.h"

namespace qxed {

namespace {

constexpr uint32_t kSectorSpan = 4096;
constexpr uint32_t kFirstFlaggedSectorAddress = 0x11000;
// An image ending here or beyond reaches into the last sector, which the maximum then counts twice.
constexpr uint32_t kLastSectorEnd = 0x1F001;
constexpr int kDriverDataFrames = 416;  // 53248 driver bytes in blocks of 128
constexpr int kFixedProgressSteps = 199;
constexpr int kEraseWeight = 6;

uint32_t ImageEnd(uint32_t imageLength) {
    return imageLength + image_format::kImageBase;
}

}  // namespace

bool DecideUpgrade(std::string_view mode, const PanelIdentity& identity, const DriverValues& values) {
    if (mode == "U") return true;
    if (mode == "N") return false;
    const bool installedMatches = (identity[0] & kDriverIdentityValid) != 0 && values.D2 == identity[2] &&
                                  values.D4 == identity[3] && values.D5 == identity[4];
    return !installedMatches;
}

ImageSectorFlags ImageSectors(uint32_t imageLength) {
    ImageSectorFlags flags{};
    for (int i = 0; i < kFlaggedImageSectors; ++i)
        flags[i] =
            kFirstFlaggedSectorAddress + kSectorSpan * static_cast<uint32_t>(i) < ImageEnd(imageLength);
    return flags;
}

int FullProgressMaximum(uint32_t imageLength) {
    const int blocks = static_cast<int>((imageLength + 127) / 128);
    return kDriverDataFrames + blocks + kFixedProgressSteps;
}

int UnusedSectorWeight(const ImageSectorFlags& flags, uint32_t imageLength) {
    int used = 0;
    for (const bool flag : flags)
        used += flag ? 1 : 0;
    if (ImageEnd(imageLength) >= kLastSectorEnd) ++used;
    return kEraseWeight * (kFlaggedImageSectors - used);
}

}  // namespace qxed
