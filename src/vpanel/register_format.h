#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "image/image_reader.h"

namespace qxed {

// How a register record shows its value: the options of its attribute and option bytes, its digits and its
// limits as the image carries them.
struct RegisterFormat {
    int Length = 2;  // bytes of the value (register count x register width)
    int Digits = 5;
    int DecimalDigits = 0;
    bool Pre0 = false;
    bool Signed = false;
    bool Decimal = true;  // false: HEX/BCD
    bool Float = false;
    bool Limit = false;
    bool Convert = false;
    int32_t UpLimit = 0;
    int32_t LowLimit = 0;
    int32_t ValUpLimit = 0;
    int32_t ValLowLimit = 0;
};

// The format of a register element of the image (kind 2).
RegisterFormat RegisterFormatOf(const ImageElement& element);

// Characters the value takes: a sign place for signed and float values, the integer places (at least one)
// and, with decimals, the point and the decimal places.
int FieldWidth(const RegisterFormat& format);

// The register value as the panel shows it, right-aligned in FieldWidth characters: decimal (after the
// conversion, when the record asks for it), HEX/BCD digits, or the IEEE single of the two registers; with
// the decimal point placed DecimalDigits from the right. A value that needs more places shows as a row of
// "*", never as cut digits.
std::string FormatRegister(const RegisterFormat& format, uint32_t raw);

// What register entry writes for the number typed (its digits without the point, negative after +/-):
// the raw register value, or nullopt when the number lies outside the limits (the value range with a
// conversion) or does not fit the register.
std::optional<uint32_t> EnteredRegisterValue(const RegisterFormat& format, int64_t typed);

}  // namespace qxed
