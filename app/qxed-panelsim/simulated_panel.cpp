#include "simulated_panel.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "link/frames.h"

namespace qxed::panelsim {

namespace {

constexpr uint32_t kFlashSize = kSectorCount * kSectorSize;
constexpr uint32_t kImageAddress = kMarkerAddress + 4;

// What each request code must look like; the checks are the same for all of them.
struct RequestForm {
    uint8_t Code;
    size_t MinPayload;  // payload bytes, the code included
    size_t MaxPayload;
    int Second;  // the byte after the code, -1: any
};

// clang-format off
constexpr RequestForm kRequestForms[] = {
    // code                min  max               second
    {kWakeUp,              1,   1,                -1},
    {kOldVersionRequest,   1,   1,                -1},
    {kVersionRequest,      2,   2,                0x01},
    {kIdentityRequest,     2,   2,                0x02},
    {kEraseSector,         2,   2,                -1},
    {kWriteData,           6,   5 + kWriteBlock,  -1},  // code, address, 1..128 data bytes
    {kFinish,              1,   1,                -1},
};
// clang-format on

const RequestForm* FindForm(uint8_t code) {
    for (const RequestForm& form : kRequestForms)
        if (form.Code == code) return &form;
    return nullptr;
}

// The panel's text replies. "STD" is the whole answer of a panel in its run mode: the PC resends the
// wake-up as soon as its receive text begins with these letters, so anything sent after them would land in
// the count of the next reply.
const std::vector<uint8_t> kOk{'O', 'K'};
const std::vector<uint8_t> kNg{'N', 'G'};
const std::vector<uint8_t> kStd{'S', 'T', 'D'};

// Fixed filler of the binary replies, so that runs can be compared byte for byte.
constexpr std::string_view kWakeUpText = "QX200 SIM";         // wake-up bytes 1..9
constexpr std::string_view kVersionText = "QX200 PANEL S";    // version bytes 2..14
constexpr std::string_view kSerialText = "SN00000000000001";  // identity bytes 7..22

std::string Hex(uint32_t value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", digits, value);
    return text;
}

// A frame for a message: whole when short, else its head.
std::string FrameText(std::span<const uint8_t> frame) {
    constexpr size_t kShown = 12;
    if (frame.size() <= kShown) return HexBytes(frame);
    return HexBytes(frame.first(kShown)) + " ... (" + std::to_string(frame.size()) + " bytes)";
}

}  // namespace

SimulatedPanel::SimulatedPanel(PanelOptions options)
    : options_(options),
      flash_(kFlashSize, 0xFF),
      sectorErased_(kSectorCount, false),
      writable_(kFlashSize, false) {}

std::vector<std::vector<uint8_t>> SimulatedPanel::Receive(std::span<const uint8_t> bytes) {
    pending_.insert(pending_.end(), bytes.begin(), bytes.end());
    std::vector<std::vector<uint8_t>> pieces;
    size_t start = 0;
    while (pending_.size() - start >= 2) {
        const uint8_t length = pending_[start + 1];
        if (length == 0) {
            violations_.push_back("after request " + std::to_string(requests_) + ": length byte 0 (" +
                                  HexBytes(std::span(pending_).subspan(start, 2)) + "), first byte dropped");
            ++start;
            continue;
        }
        const size_t frameSize = size_t{length} + 2;  // progress, length, payload, checksum
        if (pending_.size() - start < frameSize) break;
        const std::vector<uint8_t> reply = Answer(std::span(pending_).subspan(start, frameSize));
        start += frameSize;
        if (reply.empty()) continue;
        if (options_.SplitReplies) {
            for (const uint8_t byte : reply)
                pieces.push_back({byte});
        } else {
            pieces.push_back(reply);
        }
    }
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(start));
    return pieces;
}

std::vector<uint8_t> SimulatedPanel::Answer(std::span<const uint8_t> frame) {
    ++requests_;
    // A silent panel is gone from the line: it neither answers nor acts on what it is sent.
    if (options_.SilentAfter >= 0 && requests_ > options_.SilentAfter) return {};
    if (!ChecksumHolds(frame)) {
        AddViolation(frame, "bad checksum");
        return {};
    }
    const std::span<const uint8_t> payload = frame.subspan(2, frame.size() - 3);
    if (payload.empty()) return Refuse(frame, "empty payload");
    const RequestForm* form = FindForm(payload[0]);
    if (form == nullptr) return Refuse(frame, "unknown request code " + Hex(payload[0], 2));
    if (payload.size() < form->MinPayload || payload.size() > form->MaxPayload)
        return Refuse(frame, "wrong length for request " + Hex(payload[0], 2));
    if (form->Second >= 0 && payload[1] != form->Second)
        return Refuse(frame, "wrong second byte for request " + Hex(payload[0], 2));

    switch (payload[0]) {
        case kWakeUp:
            return WakeUpReply();
        case kOldVersionRequest:
        case kVersionRequest:
            return VersionReply();
        case kIdentityRequest:
            return IdentityReply();
        case kEraseSector:
            return Erase(frame, payload[1]);
        case kWriteData:
            return Write(frame, payload);
        case kFinish:
            finished_ = true;
            return kOk;
        default:
            return Refuse(frame, "unknown request code " + Hex(payload[0], 2));
    }
}

std::vector<uint8_t> SimulatedPanel::WakeUpReply() {
    imageEnd_ = 0;
    finished_ = false;
    if (++wakeUps_ <= options_.StdReplies) return kStd;
    std::vector<uint8_t> reply{options_.SystemVersion};
    reply.insert(reply.end(), kWakeUpText.begin(), kWakeUpText.end());
    return BinaryReply(std::move(reply));
}

std::vector<uint8_t> SimulatedPanel::VersionReply() {
    std::vector<uint8_t> reply{options_.SystemVersion, options_.DisplayFlags};
    reply.insert(reply.end(), kVersionText.begin(), kVersionText.end());
    return BinaryReply(std::move(reply));
}

std::vector<uint8_t> SimulatedPanel::IdentityReply() {
    const int modelCode = options_.ModelCode >= 0 ? options_.ModelCode : options_.ModelIndex + 1;
    std::vector<uint8_t> reply{options_.IdentityFlags, static_cast<uint8_t>(modelCode), options_.Installed.D2,
                               options_.Installed.D4,  options_.Installed.D5,           0,
                               options_.PlcProtocol};
    reply.insert(reply.end(), kSerialText.begin(), kSerialText.end());
    return BinaryReply(std::move(reply));
}

std::vector<uint8_t> SimulatedPanel::Erase(std::span<const uint8_t> frame, uint8_t sector) {
    // Sector 0 holds the panel's own start-up code; the download never erases it.
    if (sector == 0 || sector >= kSectorCount)
        return Refuse(frame, "no erasable sector " + std::to_string(sector));
    const auto begin = static_cast<std::ptrdiff_t>(sector) * kSectorSize;
    std::fill(flash_.begin() + begin, flash_.begin() + begin + kSectorSize, uint8_t{0xFF});
    std::fill(writable_.begin() + begin, writable_.begin() + begin + kSectorSize, true);
    sectorErased_[sector] = true;
    erasedSectors_.push_back(sector);
    return kOk;
}

std::vector<uint8_t> SimulatedPanel::Write(std::span<const uint8_t> frame, std::span<const uint8_t> payload) {
    const uint32_t address = uint32_t{payload[1]} << 24 | uint32_t{payload[2]} << 16 |
                             uint32_t{payload[3]} << 8 | uint32_t{payload[4]};
    const std::span<const uint8_t> data = payload.subspan(5);
    if (++writeFrames_ == options_.NgAtWrite) return kNg;

    const std::string where = std::to_string(data.size()) + " bytes at " + Hex(address, 5);
    if (uint64_t{address} + data.size() > kFlashSize)
        return Refuse(frame, "write of " + where + " outside the flash");
    for (uint32_t at = address; at < address + data.size(); ++at) {
        if (!sectorErased_[at / kSectorSize])
            return Refuse(frame, "write of " + where + " into sector " + std::to_string(at / kSectorSize) +
                                     ", not erased");
        // Writing a byte again with the value it holds changes nothing in a flash cell: that is what the PC's
        // resend of a write whose "OK" was lost on the line does.
        if (!writable_[at] && flash_[at] != data[at - address])
            return Refuse(frame, "write of " + where + ": byte " + Hex(at, 5) +
                                     " written twice since its erase, with another value");
    }
    std::copy(data.begin(), data.end(), flash_.begin() + address);
    std::fill(writable_.begin() + address, writable_.begin() + address + data.size(), false);
    const uint32_t end = address + static_cast<uint32_t>(data.size());
    if (end > kImageAddress) imageEnd_ = std::max(imageEnd_, end);
    return kOk;
}

std::vector<uint8_t> SimulatedPanel::BinaryReply(std::vector<uint8_t> bytes) {
    uint8_t checksum = Checksum(bytes);
    if (binaryReplies_++ < options_.BadChecksums) ++checksum;
    bytes.push_back(checksum);
    return bytes;
}

std::vector<uint8_t> SimulatedPanel::Refuse(std::span<const uint8_t> frame, const std::string& reason) {
    AddViolation(frame, reason);
    return kNg;
}

void SimulatedPanel::AddViolation(std::span<const uint8_t> frame, const std::string& reason) {
    violations_.push_back("request " + std::to_string(requests_) + " (" + FrameText(frame) + "): " + reason);
}

bool SimulatedPanel::Finished() const {
    return finished_;
}

int SimulatedPanel::Requests() const {
    return requests_;
}

const std::vector<std::string>& SimulatedPanel::Violations() const {
    return violations_;
}

std::vector<uint8_t> SimulatedPanel::ReceivedImage() const {
    if (imageEnd_ <= kImageAddress) return {};
    return std::vector<uint8_t>(flash_.begin() + kImageAddress, flash_.begin() + imageEnd_);
}

bool SimulatedPanel::MarkerWritten() const {
    constexpr uint8_t kMarker[] = {0xA5, 0x5A, 0xA5, 0x5A};
    return std::equal(std::begin(kMarker), std::end(kMarker), flash_.begin() + kMarkerAddress);
}

const std::vector<uint8_t>& SimulatedPanel::Flash() const {
    return flash_;
}

const std::vector<int>& SimulatedPanel::ErasedSectors() const {
    return erasedSectors_;
}

}  // namespace qxed::panelsim
