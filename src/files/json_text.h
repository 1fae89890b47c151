#pragma once
// Texts in the text form: project bytes appear as UTF-8 strings when they convert to the code page and back
// unchanged, otherwise as {"hex": "..."} so that no byte is lost.
#include <string>
#include <string_view>

#include "files/json_form.h"
#include "text/code_page.h"

namespace qxed::json_form {

Json TextToJson(std::string_view bytes, CodePage codePage);

// The bytes of a text value; raises FormError at path for a wrong type, a string the code page cannot
// hold, bad hex digits, or more bytes than the capacity.
std::string TextFromJson(const Json& value, CodePage codePage, int capacity, const std::string& path);

std::string ToHex(std::string_view bytes);

}  // namespace qxed::json_form
