#pragma once
#include <string>

namespace qxed {

// A JSON Schema (draft 2020-12) of the project's text form, worked out from the field lists the reader and
// the writer use and from the editing ranges and code lists of every field, for editors that check and
// complete the form while it is typed. Ranges that depend on the model or the PLC type are left to
// `qxed-cli check`; the schema names them in the descriptions.
std::string FormSchemaJson();

}  // namespace qxed
