// One element in the project's text form, for the editor's clipboard: the element's object of a dump, and
// back through the project reader, so that an element travels between editors (and text editors) exactly as
// a project file's JSON form holds it.
#include "files/json_form.h"
#include "files/project_json.h"

namespace qxed {

namespace {

constexpr std::string_view kElementPath = "pages[0].elements[0]";

// A project that holds only this element, with the settings its fields are read against.
Project Holding(const Element& element, const Project& context) {
    Project project(context.Defaults);
    project.Settings = context.Settings;
    project.ClearPages();
    project.AddPage(1, "").Elements.push_back(element);
    return project;
}

}  // namespace

std::string DumpElementJson(const Element& element, const Project& context) {
    const json_form::Json dump =
        json_form::Json::parse(DumpProjectJson(Holding(element, context), std::nullopt));
    return dump["pages"][0]["elements"][0].dump(2);
}

std::optional<Element> MakeElementFromJson(const std::string& text, const Project& context,
                                           JsonFormError& error) {
    json_form::Json object;
    try {
        object = json_form::Json::parse(text);
    } catch (const json_form::Json::exception& parse) {
        error = JsonFormError{"", parse.what()};
        return std::nullopt;
    }
    if (!object.is_object()) {
        error = JsonFormError{"", "expected an element, an object with its \"Kind\""};
        return std::nullopt;
    }
    json_form::Json root = json_form::Json::object();
    root["settings"]["PlcType"] = context.Settings.PlcType;
    root["settings"]["CurrentModel"] = context.Settings.CurrentModel;
    json_form::Json page = json_form::Json::object();
    page["Number"] = 1;
    page["elements"] = json_form::Json::array();
    page["elements"].push_back(std::move(object));
    root["pages"] = json_form::Json::array();
    root["pages"].push_back(std::move(page));
    Project project(context.Defaults);
    if (std::optional<JsonFormError> failed = MakeProjectFromJson(root.dump(), project)) {
        // The path inside the element, as the clipboard's text holds it.
        if (failed->Path.starts_with(kElementPath)) failed->Path.erase(0, kElementPath.size());
        if (failed->Path.starts_with('.')) failed->Path.erase(0, 1);
        error = std::move(*failed);
        return std::nullopt;
    }
    return project.Pages().front().Elements.front();
}

}  // namespace qxed
