#pragma once
#include <cstdint>
#include <string>

namespace qxed {

class Language;

// The symbol text a lamp shows in one state: a square lamp (type 1) or a round one (any other type), lit
// for positive logic. Two bytes, from the language's symbol table.
std::string LampSymbol(const Language& language, int32_t lampType, bool positiveLogic);

// A function key's label: the key's symbol, preceded by the hand symbol when the key shows the hand.
// A key code without a symbol gives no key bytes.
std::string KeySymbol(const Language& language, int32_t keyCode, bool withHand);

}  // namespace qxed
