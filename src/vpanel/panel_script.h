#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace qxed {

class VirtualPanel;

// One step of a key script: a key press, a touch at a screen position, or a wait on the panel's clock.
struct ScriptKey {
    int Code = 0;
};
struct ScriptTouch {
    int X = 0;
    int Y = 0;
};
struct ScriptWait {
    int64_t Milliseconds = 0;
};
using ScriptStep = std::variant<ScriptKey, ScriptTouch, ScriptWait>;

struct ScriptParse {
    std::vector<ScriptStep> Steps;
    std::string Error;  // the first word that is none of them, and why
};

// Words separated by blanks: key names ("F1", "DOWN", "1", "ENT", "+-", ...), "TOUCH:X,Y" and "WAIT:MS"
// (milliseconds, at most one day).
ScriptParse ParseKeyScript(std::string_view text);

// Runs the steps in order. Returns an empty text, or why a step could not run (a key the model's keypad
// does not have); the steps before it have run.
std::string RunKeyScript(VirtualPanel& panel, const std::vector<ScriptStep>& steps);

}  // namespace qxed
