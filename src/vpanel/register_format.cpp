#include "vpanel/register_format.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>

namespace qxed {

namespace {

bool HasBit(const ImageElement& element, const char* field, int bit) {
    const ImageField* found = element.Find(field);
    if (found == nullptr) return false;
    const ImageFlags* flags = std::get_if<ImageFlags>(&found->Value);
    return flags != nullptr && (flags->Bits >> bit & 1) != 0;
}

int32_t Signed32(const ImageElement& element, const char* field) {
    const ImageField* found = element.Find(field);
    return found != nullptr ? static_cast<int32_t>(found->Number()) : 0;
}

int ValueBits(const RegisterFormat& format) {
    return std::clamp(format.Length, 0, 4) * 8;
}

int64_t SignExtended(uint32_t raw, int bits, bool isSigned) {
    if (bits == 0) return 0;
    const uint64_t mask = bits >= 32 ? 0xFFFFFFFFull : (1ull << bits) - 1;
    const uint64_t value = raw & mask;
    if (isSigned && (value >> (bits - 1) & 1) != 0) return static_cast<int64_t>(value) - static_cast<int64_t>(mask) - 1;
    return static_cast<int64_t>(value);
}

// a x b / c rounded to the nearest, halves away from zero; c is not 0. The product can pass 64 bits.
int64_t ScaleRounded(int64_t a, int64_t b, int64_t c) {
    const long double quotient = std::roundl(static_cast<long double>(a) * static_cast<long double>(b) /
                                             static_cast<long double>(c));
    constexpr long double kLimit = 9.2e18L;
    return static_cast<int64_t>(std::clamp(quotient, -kLimit, kLimit));
}

int IntegerPlaces(const RegisterFormat& format) {
    return std::max(format.Digits - format.DecimalDigits, 1);
}

int Decimals(const RegisterFormat& format) {
    return std::clamp(format.DecimalDigits, 0, 10);
}

bool HasSignPlace(const RegisterFormat& format) {
    return format.Signed || format.Float;
}

// Places the point into the digits and pads them to the field; stars when they do not fit.
std::string Layout(const RegisterFormat& format, std::string digits, bool negative) {
    const int decimals = Decimals(format);
    const int width = FieldWidth(format);
    if (decimals > 0 && static_cast<int>(digits.size()) < decimals + 1)
        digits.insert(0, static_cast<std::size_t>(decimals + 1 - static_cast<int>(digits.size())), '0');
    std::string integer = digits.substr(0, digits.size() - static_cast<std::size_t>(decimals));
    const std::string fraction = digits.substr(digits.size() - static_cast<std::size_t>(decimals));
    const int places = IntegerPlaces(format);
    if (static_cast<int>(integer.size()) > places || (negative && !HasSignPlace(format)))
        return std::string(static_cast<std::size_t>(width), '*');
    const std::size_t pad = static_cast<std::size_t>(places) - integer.size();
    std::string text;
    if (format.Pre0) {
        text = std::string(HasSignPlace(format) ? 1 : 0, negative ? '-' : ' ') + std::string(pad, '0') + integer;
    } else {
        text = std::string(pad + (HasSignPlace(format) ? 1 : 0), ' ');
        if (negative) text.back() = '-';
        text += integer;
    }
    if (decimals > 0) text += "." + fraction;
    return text;
}

int64_t Converted(const RegisterFormat& format, int64_t value) {
    if (!format.Convert) return value;
    const int64_t span = int64_t{format.UpLimit} - format.LowLimit;
    if (span == 0) return format.ValLowLimit;
    return format.ValLowLimit +
           ScaleRounded(value - format.LowLimit, int64_t{format.ValUpLimit} - format.ValLowLimit, span);
}

std::string HexDigits(uint64_t value) {
    char text[20];
    std::snprintf(text, sizeof text, "%llX", static_cast<unsigned long long>(value));
    return text;
}

// BCD entry: the decimal digits typed are the register's nibbles.
uint64_t DigitsAsHex(uint64_t typed) {
    uint64_t value = 0;
    int shift = 0;
    do {
        value |= (typed % 10) << shift;
        typed /= 10;
        shift += 4;
    } while (typed != 0 && shift < 64);
    return value;
}

}  // namespace

RegisterFormat RegisterFormatOf(const ImageElement& element) {
    RegisterFormat format;
    const ImageField* length = element.Find("Length");
    format.Length = length != nullptr ? static_cast<int>(length->Number()) : 0;
    const ImageField* digits = element.Find("Digits");
    format.Digits = digits != nullptr ? static_cast<int>(digits->Number()) : 0;
    const ImageField* decimals = element.Find("DecimalDigits");
    format.DecimalDigits = decimals != nullptr ? static_cast<int>(decimals->Number()) : 0;
    format.Pre0 = HasBit(element, "Attribute", 2);
    format.Signed = HasBit(element, "Attribute", 4);
    format.Decimal = HasBit(element, "Attribute", 5);
    format.Float = HasBit(element, "Attribute", 7);
    format.Limit = HasBit(element, "Options", 0);
    format.Convert = HasBit(element, "Options", 1);
    format.UpLimit = Signed32(element, "UpLimit");
    format.LowLimit = Signed32(element, "LowLimit");
    format.ValUpLimit = Signed32(element, "ValUpLimit");
    format.ValLowLimit = Signed32(element, "ValLowLimit");
    return format;
}

int FieldWidth(const RegisterFormat& format) {
    const int decimals = Decimals(format);
    return (HasSignPlace(format) ? 1 : 0) + IntegerPlaces(format) + (decimals > 0 ? decimals + 1 : 0);
}

std::string FormatRegister(const RegisterFormat& format, uint32_t raw) {
    const int bits = ValueBits(format);
    if (format.Float) {
        const float value = std::bit_cast<float>(static_cast<uint32_t>(SignExtended(raw, bits, false)));
        if (!std::isfinite(value) || std::fabs(value) >= 1e18f)
            return std::string(static_cast<std::size_t>(FieldWidth(format)), '*');
        const double scaled = std::round(std::fabs(static_cast<double>(value)) * std::pow(10.0, Decimals(format)));
        char digits[32];
        std::snprintf(digits, sizeof digits, "%.0f", scaled);
        return Layout(format, digits, value < 0 && scaled != 0);
    }
    if (!format.Decimal)
        return Layout(format, HexDigits(static_cast<uint64_t>(SignExtended(raw, bits, false))), false);
    const int64_t value = Converted(format, SignExtended(raw, bits, format.Signed));
    const uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    return Layout(format, std::to_string(magnitude), value < 0);
}

std::optional<uint32_t> EnteredRegisterValue(const RegisterFormat& format, int64_t typed) {
    const int bits = ValueBits(format);
    if (bits == 0) return std::nullopt;
    if (format.Float) {
        const double value = static_cast<double>(typed) / std::pow(10.0, Decimals(format));
        if (format.Limit && (value < format.LowLimit || value > format.UpLimit)) return std::nullopt;
        return std::bit_cast<uint32_t>(static_cast<float>(value));
    }
    int64_t value = typed;
    if (format.Convert) {
        const int64_t low = std::min(format.ValLowLimit, format.ValUpLimit);
        const int64_t high = std::max(format.ValLowLimit, format.ValUpLimit);
        if (typed < low || typed > high) return std::nullopt;
        const int64_t span = int64_t{format.ValUpLimit} - format.ValLowLimit;
        value = span == 0 ? format.LowLimit
                          : format.LowLimit + ScaleRounded(typed - format.ValLowLimit,
                                                           int64_t{format.UpLimit} - format.LowLimit, span);
    } else if (format.Limit && (typed < format.LowLimit || typed > format.UpLimit)) {
        return std::nullopt;
    }
    if (!format.Decimal) {
        if (value < 0) return std::nullopt;
        value = static_cast<int64_t>(DigitsAsHex(static_cast<uint64_t>(value)));
    }
    const int64_t top = bits >= 32 ? 0xFFFFFFFFll : (1ll << bits) - 1;
    if (format.Signed && format.Decimal) {
        const int64_t half = (top + 1) / 2;
        if (value < -half || value >= half) return std::nullopt;
    } else if (value < 0 || value > top) {
        return std::nullopt;
    }
    return static_cast<uint32_t>(static_cast<uint64_t>(value) & static_cast<uint64_t>(top));
}

}  // namespace qxed
