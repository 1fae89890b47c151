#pragma once
#include <array>
#include <cstdint>
#include <list>
#include <string>

#include "model/editor_defaults.h"
#include "model/element.h"
#include "model/key_action.h"
#include "model/page.h"
#include "model/project_settings.h"

namespace qxed {

constexpr int kMaxAlarmTexts = 256;
constexpr int kGlobalKeySlots = 20;

// A project's content: settings, alarm texts, global keys and the page list. What the editor keeps about the
// open project besides (its file name, whether it is modified, the current page) is the document's.
class Project {
  public:
    explicit Project(EditorDefaults defaults = BuiltinEditorDefaults());
    Project(const Project& other) = default;
    Project& operator=(const Project& other) = default;
    // Moving hands the page nodes over; the moved-from project is left without pages.
    Project(Project&& other) noexcept;
    Project& operator=(Project&& other) noexcept;

    ProjectSettings Settings;
    // Entry i (1-based, as the alarm list numbers them) is AlarmTexts[i - 1]; capacity by model.
    std::array<std::string, kMaxAlarmTexts> AlarmTexts;
    std::array<KeyAction, kGlobalKeySlots> GlobalKeys;
    int32_t GlobalKeyCount = 0;

    EditorDefaults Defaults;

    // Pages in ascending unsigned Number order. Never empty while a project is open.
    std::list<Page>& Pages() { return pages_; }
    const std::list<Page>& Pages() const { return pages_; }

    struct FindResult {
        bool Found = false;
        Page* Position = nullptr;  // the equal page, or the last page below the number (nullptr: none)
    };
    FindResult FindPage(uint16_t number);
    // Creates the page with its default links after FindPage's position (front when none). Does not check
    // for duplicates.
    Page& AddPage(uint16_t number, std::string_view title);
    // Removes the page with its elements. True when the list became empty; the caller then adds page 1.
    bool DeletePage(Page* page);
    Page* FindPrevPage(const Page* page);
    // Empties the page list.
    void ClearPages();
    // Appends a page read from a file, in file order.
    Page& AppendPage(Page page);

    // Alarm capacity of the current model (128 or 256); the whole table for a model outside the table.
    int AlarmCapacity() const;

    // Settings, alarm texts, global keys, pages with their elements in order. The defaults are not content.
    bool operator==(const Project& other) const;

  private:
    std::list<Page> pages_;
};

// The defaults of a new project's settings, texts and keys. PlcType and the line settings are kept, the
// model becomes Defaults.DefaultModel, and the PLC-dependent defaults follow the PlcType already set.
void ResetProject(Project& project);

// A fresh project as "新建工程" leaves it before the dialogs: reset, one empty page 1.
void NewProject(Project& project);

}  // namespace qxed
