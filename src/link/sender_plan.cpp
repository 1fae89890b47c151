#include "link/sender_plan.h"

#include <algorithm>
#include <array>
#include <span>
#include <utility>

#include "image/image_format.h"
#include "link/driver_file.h"
#include "link/frames.h"

namespace qxed {

namespace {

// Written at the marker address once the whole image is in place: the panel runs an image only with it.
constexpr std::array<uint8_t, 4> kMarker = {0xA5, 0x5A, 0xA5, 0x5A};
constexpr int kEraseWeight = 1 + 6;

}  // namespace

SenderPlan::SenderPlan(std::vector<uint8_t> image, std::vector<uint8_t> driver, bool upgrade,
                       const ImageSectorFlags& sectors)
    : image_(std::move(image)), driver_(std::move(driver)), upgrade_(upgrade), sectors_(sectors) {}

SenderRequest SenderPlan::Erase(int lead) {
    const int sector = sector_++;
    return {SenderRequestKind::Erase, ErasePayload(static_cast<uint8_t>(sector)), lead, kEraseWeight};
}

SenderRequest SenderPlan::Block(const std::vector<uint8_t>& source, int lead) {
    const std::size_t count = std::min<std::size_t>(kWriteBlock, source.size() - position_);
    SenderRequest request{SenderRequestKind::Write,
                          WritePayload(address_, std::span(source).subspan(position_, count)), lead, 1};
    address_ += static_cast<uint32_t>(count);
    position_ += count;
    return request;
}

// Walks the steps until one has a request to send; the steps that send nothing count as one step of
// progress each and fall through.
std::optional<SenderRequest> SenderPlan::Next() {
    int lead = 0;
    for (;;) {
        switch (step_) {
            case Step::DriverErase:
                if (sector_ > kLastDriverSector) {
                    step_ = Step::DriverData;
                    address_ = kDriverAreaAddress;
                    position_ = 0;
                    break;
                }
                if (upgrade_) return Erase(lead);
                ++lead;
                ++sector_;
                break;
            case Step::DriverData:
                if (upgrade_ && position_ < driver_.size()) return Block(driver_, lead);
                ++lead;
                step_ = Step::ImageErase;
                sector_ = kFirstImageSector;
                break;
            case Step::ImageErase:
                if (sector_ == kFirstImageSector) return Erase(lead);
                if (sector_ > kLastImageSector) {
                    step_ = Step::ImageData;
                    address_ = image_format::kImageBase;
                    position_ = 0;
                    break;
                }
                if (sectors_[sector_ - kFirstImageSector - 1]) return Erase(lead);
                ++lead;
                ++sector_;
                break;
            case Step::ImageData:
                if (position_ < image_.size()) return Block(image_, lead);
                step_ = Step::Finish;
                return SenderRequest{SenderRequestKind::Marker, WritePayload(kMarkerAddress, kMarker), lead,
                                     1};
            case Step::Finish:
                step_ = Step::Done;
                return SenderRequest{SenderRequestKind::Finish, {kFinish}, lead, 1};
            case Step::Done:
                return std::nullopt;
        }
    }
}

}  // namespace qxed
