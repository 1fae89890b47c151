#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "link/download_plan.h"

namespace qxed {

// What a request of the sending part asks the panel to do.
enum class SenderRequestKind { Erase, Write, Marker, Finish };

// One request of the sending part, with what it is worth on the progress bar.
struct SenderRequest {
    SenderRequestKind Kind = SenderRequestKind::Finish;
    std::vector<uint8_t> Payload;  // what goes between the frame's length byte and its checksum
    // Steps that pass without a request before this one (driver steps without upgrade, image sectors the
    // image does not reach): the bar advances by them before the request is framed, so its progress byte
    // counts them.
    int LeadProgress = 0;
    // What the panel's "OK" to it advances the bar by: 1, and 6 more for an erase.
    int Weight = 1;
};

// The sending part of the download as a plan: the driver sectors 3..15 and the driver area's blocks when
// the area is rewritten, the image sectors (16 always, 17..31 as flagged), the image's blocks, the
// validity marker and the finish frame, in the order the panel is sent them. It knows nothing of the line,
// the timers or the replies: the download asks for the next request each time the last one was answered.
class SenderPlan {
  public:
    SenderPlan(std::vector<uint8_t> image, std::vector<uint8_t> driver, bool upgrade,
               const ImageSectorFlags& sectors);

    // The next request; nullopt once the finish frame has been handed out, whose "OK" ends the download.
    std::optional<SenderRequest> Next();

  private:
    enum class Step { DriverErase, DriverData, ImageErase, ImageData, Finish, Done };

    SenderRequest Erase(int lead);
    SenderRequest Block(const std::vector<uint8_t>& source, int lead);

    std::vector<uint8_t> image_;
    std::vector<uint8_t> driver_;
    bool upgrade_;
    ImageSectorFlags sectors_;

    Step step_ = Step::DriverErase;
    int sector_ = kFirstDriverSector;
    uint32_t address_ = 0;      // the panel address of the next block
    std::size_t position_ = 0;  // the next byte of the area being written
};

}  // namespace qxed
