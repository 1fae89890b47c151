#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "image/image_reader.h"

namespace qxed {

// The PLC the virtual panel talks to: 16-bit registers and coils, addressed exactly as the image encodes
// its operands (station, type code, number), all zero until written. A value of several bytes takes
// consecutive register numbers, low word first (swapped when the image asks for ExchangeWord).
class SimulatedPlc {
  public:
    uint16_t Word(const ImageOperand& operand) const;
    void SetWord(const ImageOperand& operand, uint16_t value);
    bool Coil(const ImageOperand& operand) const;
    void SetCoil(const ImageOperand& operand, bool on);

    // The value of `length` bytes (an image length byte; more than 4 reads the first 4) at the operand.
    uint32_t Value(const ImageOperand& operand, int length) const;
    void SetValue(const ImageOperand& operand, int length, uint32_t value);

    void SetExchangeWord(bool exchange) { exchangeWord_ = exchange; }

    // Every register and coil written so far, by operand key (station << 24 | type code << 16 | number).
    const std::map<uint32_t, uint16_t>& Words() const { return words_; }
    const std::map<uint32_t, bool>& Coils() const { return coils_; }
    // Grows with every write, so a view can tell that it has to redraw.
    uint64_t Revision() const { return revision_; }

  private:
    std::map<uint32_t, uint16_t> words_;
    std::map<uint32_t, bool> coils_;
    bool exchangeWord_ = false;
    uint64_t revision_ = 0;
};

uint32_t OperandKey(const ImageOperand& operand);
ImageOperand OperandOfKey(uint32_t key);
// The operand `steps` numbers on (the number wraps within its 16 bits).
ImageOperand Advanced(const ImageOperand& operand, int steps);

// How scripts and the panel window name operands: "reg:STATION:TYPE:NUMBER" and "coil:STATION:TYPE:NUMBER",
// with the type code and number as the image carries them.
std::string OperandName(const ImageOperand& operand, bool coil);
struct NamedOperand {
    ImageOperand Operand;
    bool Coil = false;
};
// Nullopt for a name that is not of that form or whose parts are out of range.
std::optional<NamedOperand> ParseOperandName(std::string_view name);

}  // namespace qxed
