#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The panel's keys by their codes (0 Home .. 41 K10), the names scripts give them, and how the image
// refers to them.
namespace qxed::panel_keys {

constexpr int kHome = 0, kLeft = 1, kRight = 2, kDown = 3, kUp = 4, kSet = 5, kEnt = 6, kAlarm = 7, kClr = 8,
              kPlusMinus = 9, kNum0 = 10, kPrev = 20, kNext = 21, kF1 = 22, kK1 = 32;

// "HOME", "LEFT", "RIGHT", "DOWN", "UP", "SET", "ENT", "ALARM", "CLR", "+-", "0".."9", "PREV", "NEXT",
// "F1".."F10", "K1".."K10"; empty outside 0..41.
std::string KeyName(int code);
// The code of a name (letters in any case), nullopt for an unknown one.
std::optional<int> KeyOfName(std::string_view name);

// The key code of a function key's position byte (1..42), nullopt for the position of no key.
std::optional<int> KeyOfPosition(int position);

// The key that runs global key `index` of a table of `count`: with 20 keys the first ten are K1..K10 and
// the others F1..F10; with fewer they are F1..Fn.
int GlobalKeyCode(int index, int count);

// The keys of a model's keypad, in the order of its key list.
std::vector<int> ModelKeys(int modelIndex);

}  // namespace qxed::panel_keys
