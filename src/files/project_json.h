#pragma once
#include <cstddef>
#include <optional>
#include <string>

#include "files/project_file.h"
#include "model/project.h"

namespace qxed {

// The text form of a project: every field by its name, texts as UTF-8 where they survive the round trip
// through the project's code page (font face names included), else {"hex": "..."}, pictures as base64
// of their BMP files. The source file's header ("ProjectVersion", "VersionText") is written when given.
std::string DumpProjectJson(const Project& project, const std::optional<ProjectFileHeader>& source);

// The largest text form that is read back: a dump that comes out larger could not be made again, so it is
// refused instead of written.
constexpr std::size_t kLargestJsonForm = std::size_t{256} << 20;

struct JsonFormError {
    std::string
        Path;  // JSON path of the offending value, e.g. "pages[0].elements[2].Digits"; empty for syntax
    std::string Message;
};

// Fills the project from the text form, replacing its contents. PlcType and CurrentModel are read first
// (absent: the project's stay) and the project is reset for them; every absent field then keeps the defaults
// of the reset and of new elements. Absent counts are the lengths of their arrays; an absent MaxLen,
// MaxWidth/MaxHeight or picture size follows the texts or the bitmap given. The header keys are ignored.
// Unknown keys, wrong types, values outside their type's range, texts longer than their slots, unknown kinds,
// counts that disagree with their arrays and pictures that do not decode are errors: the project is then
// left partly filled and the error names the path.
std::optional<JsonFormError> MakeProjectFromJson(const std::string& text, Project& project);

// One element's object of the text form, as a dump of a project with the context's settings writes it.
std::string DumpElementJson(const Element& element, const Project& context);
// The element of such an object, read against the context's PLC type and model (another editor's element
// may come from a project of another type or model). Nullopt with the error for anything else.
std::optional<Element> MakeElementFromJson(const std::string& text, const Project& context,
                                           JsonFormError& error);

}  // namespace qxed
