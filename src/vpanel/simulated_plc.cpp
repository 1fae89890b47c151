#include "vpanel/simulated_plc.h"

#include <charconv>

namespace qxed {

uint32_t OperandKey(const ImageOperand& operand) {
    return uint32_t{operand.Station} << 24 | uint32_t{operand.TypeCode} << 16 | operand.Number;
}

ImageOperand OperandOfKey(uint32_t key) {
    return ImageOperand{static_cast<uint8_t>(key >> 24), static_cast<uint8_t>(key >> 16),
                        static_cast<uint16_t>(key)};
}

ImageOperand Advanced(const ImageOperand& operand, int steps) {
    ImageOperand next = operand;
    next.Number = static_cast<uint16_t>(operand.Number + steps);
    return next;
}

uint16_t SimulatedPlc::Word(const ImageOperand& operand) const {
    const auto found = words_.find(OperandKey(operand));
    return found != words_.end() ? found->second : 0;
}

void SimulatedPlc::SetWord(const ImageOperand& operand, uint16_t value) {
    words_[OperandKey(operand)] = value;
    ++revision_;
}

bool SimulatedPlc::Coil(const ImageOperand& operand) const {
    const auto found = coils_.find(OperandKey(operand));
    return found != coils_.end() && found->second;
}

void SimulatedPlc::SetCoil(const ImageOperand& operand, bool on) {
    coils_[OperandKey(operand)] = on;
    ++revision_;
}

uint32_t SimulatedPlc::Value(const ImageOperand& operand, int length) const {
    if (length <= 0) return 0;
    if (length <= 2) {
        const uint32_t word = Word(operand);
        return length == 1 ? word & 0xFF : word;
    }
    uint32_t low = Word(operand);
    uint32_t high = Word(Advanced(operand, 1));
    if (exchangeWord_) std::swap(low, high);
    const uint32_t value = high << 16 | low;
    return length == 3 ? value & 0xFFFFFF : value;
}

void SimulatedPlc::SetValue(const ImageOperand& operand, int length, uint32_t value) {
    if (length <= 0) return;
    if (length <= 2) {
        SetWord(operand, static_cast<uint16_t>(length == 1 ? value & 0xFF : value));
        return;
    }
    uint16_t low = static_cast<uint16_t>(value);
    uint16_t high = static_cast<uint16_t>(value >> 16);
    if (exchangeWord_) std::swap(low, high);
    SetWord(operand, low);
    SetWord(Advanced(operand, 1), high);
}

std::string OperandName(const ImageOperand& operand, bool coil) {
    return std::string(coil ? "coil:" : "reg:") + std::to_string(operand.Station) + ":" +
           std::to_string(operand.TypeCode) + ":" + std::to_string(operand.Number);
}

namespace {

// One number of at most `limit` that runs up to the next ':' (or the end); advances past it.
bool TakeNumber(std::string_view& rest, unsigned limit, unsigned& value, bool last) {
    const std::size_t stop = last ? rest.size() : rest.find(':');
    if (stop == std::string_view::npos || stop == 0) return false;
    const std::string_view part = rest.substr(0, stop);
    const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), value);
    if (error != std::errc() || end != part.data() + part.size() || value > limit) return false;
    rest.remove_prefix(last ? stop : stop + 1);
    return true;
}

}  // namespace

std::optional<NamedOperand> ParseOperandName(std::string_view name) {
    NamedOperand named;
    if (name.starts_with("reg:")) {
        name.remove_prefix(4);
    } else if (name.starts_with("coil:")) {
        named.Coil = true;
        name.remove_prefix(5);
    } else {
        return std::nullopt;
    }
    unsigned station = 0, type = 0, number = 0;
    if (!TakeNumber(name, 255, station, false) || !TakeNumber(name, 255, type, false) ||
        !TakeNumber(name, 65535, number, true))
        return std::nullopt;
    named.Operand = ImageOperand{static_cast<uint8_t>(station), static_cast<uint8_t>(type),
                                 static_cast<uint16_t>(number)};
    return named;
}

}  // namespace qxed
