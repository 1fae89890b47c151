#include "vpanel/panel_script.h"

#include <charconv>

#include "model/panel_model.h"
#include "vpanel/panel_keys.h"
#include "vpanel/virtual_panel.h"

namespace qxed {

namespace {

constexpr int64_t kLongestWait = 24LL * 3600 * 1000;

bool Whole(std::string_view text, int64_t& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

}  // namespace

ScriptParse ParseKeyScript(std::string_view text) {
    ScriptParse parse;
    std::size_t at = 0;
    while (at < text.size()) {
        if (text[at] == ' ' || text[at] == '\t' || text[at] == ',') {
            ++at;
            continue;
        }
        std::size_t end = text.find_first_of(" \t", at);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view word = text.substr(at, end - at);
        at = end;
        if (word.starts_with("TOUCH:") || word.starts_with("touch:")) {
            const std::string_view place = word.substr(6);
            const std::size_t comma = place.find(',');
            int64_t x = -1, y = -1;
            if (comma == std::string_view::npos || !Whole(place.substr(0, comma), x) ||
                !Whole(place.substr(comma + 1), y) || x < 0 || y < 0 || x > 65535 || y > 65535) {
                parse.Error = "\"" + std::string(word) + "\": a touch is TOUCH:X,Y with screen dots 0..65535";
                return parse;
            }
            parse.Steps.push_back(ScriptTouch{static_cast<int>(x), static_cast<int>(y)});
            continue;
        }
        if (word.starts_with("WAIT:") || word.starts_with("wait:")) {
            int64_t ms = -1;
            if (!Whole(word.substr(5), ms) || ms < 0 || ms > kLongestWait) {
                parse.Error = "\"" + std::string(word) + "\": a wait is WAIT:MS with 0.." +
                              std::to_string(kLongestWait) + " milliseconds";
                return parse;
            }
            parse.Steps.push_back(ScriptWait{ms});
            continue;
        }
        const std::optional<int> code = panel_keys::KeyOfName(word);
        if (!code) {
            parse.Error = "\"" + std::string(word) +
                          "\" is no key (HOME LEFT RIGHT UP DOWN SET ENT ALARM CLR +- 0..9 PREV NEXT F1..F10 "
                          "K1..K10, TOUCH:X,Y, WAIT:MS)";
            return parse;
        }
        parse.Steps.push_back(ScriptKey{*code});
    }
    return parse;
}

std::string RunKeyScript(VirtualPanel& panel, const std::vector<ScriptStep>& steps) {
    for (const ScriptStep& step : steps) {
        if (const ScriptKey* key = std::get_if<ScriptKey>(&step)) {
            if (!panel.Press(key->Code)) {
                const PanelModel* model = FindPanelModel(panel.Model());
                return "the " + std::string(model != nullptr ? model->Code : "panel") + " has no key " +
                       panel_keys::KeyName(key->Code);
            }
        } else if (const ScriptTouch* touch = std::get_if<ScriptTouch>(&step)) {
            panel.Touch(touch->X, touch->Y);
        } else if (const ScriptWait* wait = std::get_if<ScriptWait>(&step)) {
            panel.Advance(wait->Milliseconds);
        }
    }
    return {};
}

}  // namespace qxed
