#include "commands.h"
#include "files/form_schema.h"
#include "text_output.h"

namespace qxed::cli {

namespace {

const char kHelp[] =
    "Usage: qxed-cli schema [-o OUT.json]\n"
    "\n"
    "Prints a JSON Schema (draft 2020-12) of the project's JSON form, as 'dump' writes it and 'make' reads "
    "it:\n"
    "every key, every field of the settings, the pages, each element kind and the key actions, with their\n"
    "types, editing ranges and code lists, for editors that check and complete the JSON while it is typed.\n"
    "Ranges that depend on the panel model or the PLC type are named in the descriptions and checked by\n"
    "'qxed-cli check'. The reference of the form: docs/json-form.md.\n"
    "\n"
    "Options:\n"
    "  -o, --output OUT.json  write the schema to this file; '-' or none: standard output\n"
    "  -h, --help             show this help\n";

int Run(CommandContext& context) {
    return WriteTextResult(context, FormSchemaJson());
}

}  // namespace

const Command kSchemaCommand = {
    .Name = "schema",
    .Summary = "schema [-o OUT.json]         a JSON Schema of the project's JSON form",
    .Help = kHelp,
    .FileName = "",
    .Output = OutputUse::Optional,
    .Graphics = false,
    .Run = Run,
    .FileCount = 0,
};

}  // namespace qxed::cli
