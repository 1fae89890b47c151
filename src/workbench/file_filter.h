#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace qxed {

// One choice of a file dialog's filter: its name as shown and its patterns ("*.qx2").
struct FilterChoice {
    std::string Name;
    std::vector<std::string> Patterns;
    bool operator==(const FilterChoice&) const = default;
};

// The language file's filter form, name and patterns alternating between "|": "Name|*.a|All|*.*".
// Several patterns of one choice are separated by ";". A trailing name without patterns is dropped.
std::vector<FilterChoice> ParseFileFilter(std::string_view filter);

// A choice as file dialogs name it, "Name (*.a *.b)"; a name that already shows its patterns in brackets,
// as the built-in filters do, is kept as it is.
std::string DialogFilterName(const FilterChoice& choice);

// The extension a saved file gets when its name has none: the first pattern's (".qx2"), or empty for "*.*".
std::string ExtensionOf(const FilterChoice& choice);

}  // namespace qxed
