#pragma once
// Reading the text of the JSON form into its value tree, guarded against what a hand-edited or hostile text
// can hold: nesting deep enough to exhaust the stack of anything recursive, keys given twice (the last one
// would silently win), and objects so large that searching each new key among the earlier ones would take
// quadratic time.
#include <string>

#include "files/json_form.h"

namespace qxed::json_form {

// The deepest nesting of objects and arrays a text may have. The form itself needs seven levels (a hex text
// in an entry of an element's table); anything much deeper is no project.
constexpr int kMaxNesting = 32;

// The value of the whole text. Raises FormError for a syntax error (empty path), for a value nested deeper
// than kMaxNesting and for a key that appears twice in one object (both naming the value's path). Keys keep
// their order of appearance; the time taken grows linearly with the length of the text.
Json ParseText(const std::string& text);

// A message of the JSON library without the identifier in brackets it starts with, which means nothing to a
// reader.
std::string WithoutExceptionId(const std::string& message);

}  // namespace qxed::json_form
