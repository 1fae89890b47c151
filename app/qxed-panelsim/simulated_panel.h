#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "link/driver_file.h"

namespace qxed::panelsim {

// What the simulated panel is and which faults it injects.
struct PanelOptions {
    int ModelIndex = 0;            // the identity's model code is ModelIndex + 1 unless ModelCode is set
    int ModelCode = -1;            // identity byte 1 as a whole; -1: ModelIndex + 1
    uint8_t SystemVersion = 40;    // wake-up reply byte 0
    uint8_t DisplayFlags = 0xE0;   // version reply byte 1
    uint8_t IdentityFlags = 0x01;  // identity byte 0: bit 0 driver identity valid, 6 GTK display, 7 check
    DriverValues Installed;        // identity bytes 2, 3, 4 are D2, D4, D5 of the installed driver
    uint8_t PlcProtocol = 0;       // identity byte 6

    int StdReplies = 0;         // answer the first N wake-ups with "STD"
    bool SplitReplies = false;  // send every reply byte by byte
    int BadChecksums = 0;       // corrupt the checksum of the first N binary replies
    int NgAtWrite = 0;          // answer "NG" to the K-th write frame (1-based; 0: never)
    int SilentAfter = -1;       // answer nothing from the (K+1)-th request on (-1: never)
};

// The panel's side of the download: parses request frames from the line, checks each one (length,
// checksum, payload, address range, sector erased before written), keeps a 128 KiB flash and answers. A
// frame that breaks a rule is recorded as a violation; a bad checksum gets no answer (the PC's time-out
// resends), a frame with a good checksum that breaks a rule (unknown code, wrong length, bad sector, a write
// into an unerased place or outside the flash) gets "NG". A length byte 0 cannot start a frame: it is
// recorded and the byte before it dropped, so the parser moves on by one byte. A new download starts at
// each wake-up: ReceivedImage and Finished then start afresh, the flash and its erased sectors stay.
class SimulatedPanel {
  public:
    explicit SimulatedPanel(PanelOptions options);

    // Bytes from the line, in any pieces. Returns the reply pieces in order: one piece per reply, or one
    // per byte with SplitReplies.
    std::vector<std::vector<uint8_t>> Receive(std::span<const uint8_t> bytes);

    // The finish frame has been answered "OK".
    bool Finished() const;
    // Request frames seen (valid or not).
    int Requests() const;
    // One line per broken rule, in order.
    const std::vector<std::string>& Violations() const;
    // The flash bytes from 0x10004 up to the highest address written (empty when nothing was written there).
    std::vector<uint8_t> ReceivedImage() const;
    // Whether the validity marker A5 5A A5 5A stands at 0x10000.
    bool MarkerWritten() const;
    const std::vector<uint8_t>& Flash() const;
    // Sectors erased, in order.
    const std::vector<int>& ErasedSectors() const;

  private:
    std::vector<uint8_t> Answer(std::span<const uint8_t> frame);
    std::vector<uint8_t> WakeUpReply();
    std::vector<uint8_t> VersionReply();
    std::vector<uint8_t> IdentityReply();
    std::vector<uint8_t> Erase(std::span<const uint8_t> frame, uint8_t sector);
    std::vector<uint8_t> Write(std::span<const uint8_t> frame, std::span<const uint8_t> payload);
    std::vector<uint8_t> BinaryReply(std::vector<uint8_t> bytes);
    std::vector<uint8_t> Refuse(std::span<const uint8_t> frame, const std::string& reason);
    void AddViolation(std::span<const uint8_t> frame, const std::string& reason);

    PanelOptions options_;
    std::vector<uint8_t> pending_;  // received bytes not yet a whole frame
    std::vector<uint8_t> flash_;
    std::vector<bool> sectorErased_;  // erased during this session
    std::vector<bool> writable_;      // per byte: erased and not written since
    std::vector<int> erasedSectors_;
    std::vector<std::string> violations_;
    int requests_ = 0;
    int wakeUps_ = 0;
    int binaryReplies_ = 0;
    int writeFrames_ = 0;
    uint32_t imageEnd_ = 0;  // one past the highest image byte written in this download
    bool finished_ = false;
};

}  // namespace qxed::panelsim
