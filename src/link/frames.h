#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace qxed {

// The request frames of the download and the checks of the panel's replies. Every request is
// progress byte, payload length + 1, payload, checksum; every binary reply ends in the same checksum.

// The progress byte: position x 100 / maximum rounded half up, as two BCD digits; 100 % reads 0x99.
// The position is clamped to 0..maximum first; a maximum of 0 or less gives 0.
uint8_t ProgressByte(int position, int maximum);

// The two's complement of the 8-bit sum of the bytes, so that the bytes and it sum to 0 modulo 256.
uint8_t Checksum(std::span<const uint8_t> bytes);
// True when the bytes, their last one included, sum to 0 modulo 256 (and there is at least one byte).
bool ChecksumHolds(std::span<const uint8_t> bytes);

// A whole request frame around the payload (1..254 bytes).
std::vector<uint8_t> MakeFrame(uint8_t progress, std::span<const uint8_t> payload);

// Payload codes.
constexpr uint8_t kWakeUp = 0x12;
constexpr uint8_t kOldVersionRequest = 0x11;  // panels of system version 2 or lower
constexpr uint8_t kVersionRequest = 0x21;     // followed by 0x01
constexpr uint8_t kIdentityRequest = 0x22;    // followed by 0x02
constexpr uint8_t kEraseSector = 0x81;        // followed by the sector number
constexpr uint8_t kWriteData = 0x82;          // followed by the address (u32, most significant first), data
constexpr uint8_t kFinish = 0xFF;

// Reply lengths of the binary replies.
constexpr int kWakeUpReplyLength = 11;
constexpr int kVersionReplyLength = 16;
constexpr int kIdentityReplyLength = 24;

constexpr int kWriteBlock = 128;              // most data bytes in one write frame
constexpr int kSectorSize = 4096;             // flash sector n covers n x 4096 .. n x 4096 + 4095
constexpr int kSectorCount = 32;              // sectors 0..31; the download erases 3..31
constexpr uint32_t kMarkerAddress = 0x10000;  // the validity marker before the image

// Payloads.
std::vector<uint8_t> ErasePayload(uint8_t sector);
std::vector<uint8_t> WritePayload(uint32_t address, std::span<const uint8_t> data);

// The bytes as two-digit uppercase hexadecimal numbers separated by single blanks: "03 03 81 03 76".
std::string HexBytes(std::span<const uint8_t> bytes);

}  // namespace qxed
