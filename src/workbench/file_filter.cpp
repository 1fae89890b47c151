#include "workbench/file_filter.h"

namespace qxed {

namespace {

std::vector<std::string> Split(std::string_view text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(separator, start);
        parts.emplace_back(
            text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

}  // namespace

std::vector<FilterChoice> ParseFileFilter(std::string_view filter) {
    std::vector<FilterChoice> choices;
    const std::vector<std::string> parts = Split(filter, '|');
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        FilterChoice choice{parts[i], {}};
        for (std::string pattern : Split(parts[i + 1], ';')) {
            while (!pattern.empty() && pattern.front() == ' ')
                pattern.erase(0, 1);
            while (!pattern.empty() && pattern.back() == ' ')
                pattern.pop_back();
            if (!pattern.empty()) choice.Patterns.push_back(pattern);
        }
        if (!choice.Patterns.empty()) choices.push_back(std::move(choice));
    }
    return choices;
}

std::string DialogFilterName(const FilterChoice& choice) {
    std::string patterns;
    for (const std::string& pattern : choice.Patterns)
        patterns += (patterns.empty() ? "" : " ") + pattern;
    if (choice.Name.find("(" + patterns + ")") != std::string::npos) return choice.Name;
    return choice.Name + " (" + patterns + ")";
}

std::string ExtensionOf(const FilterChoice& choice) {
    if (choice.Patterns.empty()) return {};
    const std::string& first = choice.Patterns.front();
    if (!first.starts_with("*.") || first == "*.*" || first.find_first_of("*?", 2) != std::string::npos)
        return {};
    return first.substr(1);
}

}  // namespace qxed
