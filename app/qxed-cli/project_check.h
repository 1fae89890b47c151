#pragma once
#include <string>
#include <vector>

#include "image/character_sets.h"
#include "model/project.h"

namespace qxed::cli {

enum class Severity { Error, Warning };

// One thing in a project that opens and builds but can hardly be what its engineer meant, with the JSON path
// of the value as `dump` writes the project ("pages[0].elements[2].Digits").
struct Finding {
    Severity Level = Severity::Error;
    std::string Path;
    std::string Message;
};

// What the findings are judged against besides the project: the text language decides which bytes element
// texts may hold.
struct CheckContext {
    TextLanguage Language = TextLanguage::sCh;
};

// Every value outside its editing range or code list, operands outside the PLC type's lists and bounds, keys
// not on the model's keypad, elements partly or wholly off the screen, kinds the model cannot show, texts
// the language refuses, counts beyond the model; links and jumps to pages that do not exist as warnings.
// The project's model must be in the model table (the reader makes sure of that).
std::vector<Finding> CheckProject(const Project& project, const CheckContext& context);

}  // namespace qxed::cli
