#include "link/frames.h"

#include <algorithm>
#include <cstdio>

namespace qxed {

uint8_t ProgressByte(int position, int maximum) {
    if (maximum <= 0) return 0;
    const long long clamped = std::clamp(position, 0, maximum);
    const long long percent = (clamped * 200 + maximum) / (2LL * maximum);  // x 100 / maximum, half up
    if (percent >= 100) return 0x99;
    return static_cast<uint8_t>((percent / 10) << 4 | percent % 10);
}

uint8_t Checksum(std::span<const uint8_t> bytes) {
    unsigned sum = 0;
    for (const uint8_t byte : bytes)
        sum += byte;
    return static_cast<uint8_t>(0x100 - (sum & 0xFF));
}

bool ChecksumHolds(std::span<const uint8_t> bytes) {
    return !bytes.empty() && Checksum(bytes.first(bytes.size() - 1)) == bytes.back();
}

std::vector<uint8_t> MakeFrame(uint8_t progress, std::span<const uint8_t> payload) {
    std::vector<uint8_t> frame;
    frame.reserve(payload.size() + 3);
    frame.push_back(progress);
    frame.push_back(static_cast<uint8_t>(payload.size() + 1));
    frame.insert(frame.end(), payload.begin(), payload.end());
    frame.push_back(Checksum(frame));
    return frame;
}

std::vector<uint8_t> ErasePayload(uint8_t sector) {
    return {kEraseSector, sector};
}

std::vector<uint8_t> WritePayload(uint32_t address, std::span<const uint8_t> data) {
    std::vector<uint8_t> payload{kWriteData, static_cast<uint8_t>(address >> 24),
                                 static_cast<uint8_t>(address >> 16), static_cast<uint8_t>(address >> 8),
                                 static_cast<uint8_t>(address)};
    payload.insert(payload.end(), data.begin(), data.end());
    return payload;
}

std::string HexBytes(std::span<const uint8_t> bytes) {
    std::string text;
    char digits[4];
    for (const uint8_t byte : bytes) {
        if (!text.empty()) text += ' ';
        std::snprintf(digits, sizeof digits, "%02X", byte);
        text += digits;
    }
    return text;
}

}  // namespace qxed
