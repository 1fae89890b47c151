#include "model/element_symbols.h"

#include "model/key_codes.h"
#include "text/language.h"

namespace qxed {

std::string LampSymbol(const Language& language, int32_t lampType, bool positiveLogic) {
    if (lampType == 1) {
        return language.Symbol(positiveLogic ? SymbolId::SquareLampOn : SymbolId::SquareLampOff);
    }
    return language.Symbol(positiveLogic ? SymbolId::CircleLampOn : SymbolId::CircleLampOff);
}

std::string KeySymbol(const Language& language, int32_t keyCode, bool withHand) {
    std::string label = withHand ? language.Symbol(SymbolId::Hand) : std::string();
    if (auto symbol = KeySymbolOf(keyCode)) label += language.Symbol(*symbol);
    return label;
}

}  // namespace qxed
