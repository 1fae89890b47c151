#pragma once
#include <cstdint>
#include <string>

#include "document/change.h"
#include "document/command.h"
#include "document/history.h"
#include "document/signal.h"
#include "model/project.h"

namespace qxed {

// The open project as the editor edits it: the project itself (a plain value), its file state, the current
// page and the selection. Every edit from every window is a command applied here, so this is the only place
// where the project changes; each applied change is announced once through Changed, and views redraw
// themselves from that notice alone.
class Document {
  public:
    explicit Document(EditorDefaults defaults = BuiltinEditorDefaults());

    const Project& Contents() const { return project_; }
    const EditorDefaults& Defaults() const { return project_.Defaults; }
    // What new projects and elements take from outside the project (the model new projects get, say).
    void SetDefaults(EditorDefaults defaults) { project_.Defaults = std::move(defaults); }

    const std::string& ProjectFileName() const { return fileName_; }
    bool Modified() const { return modified_; }
    bool ImportedData() const { return imported_; }

    uint16_t CurrentPageNumber() const { return currentPage_; }
    // The current page; the page list is never empty, so there always is one.
    const Page& CurrentPage() const;
    bool ElementSelected() const { return elementSelected_; }
    // The selected element, which is always the first of the current page; nullptr without a selection.
    const Element* SelectedElement() const;

    // Runs the command. A change of the project's content sets Modified; any change is announced once.
    // True when something changed.
    bool Apply(const Command& command);

    // Puts a project in place as a whole (New, Open, Import): its first page becomes current, nothing is
    // selected, and Modified is cleared. Announced as Everything.
    void Replace(Project project, std::string fileName, bool importedData);
    void SetProjectFileName(std::string fileName);
    // Set by edits; cleared by a successful save. Undoing back to the state last saved clears it again.
    void SetModified(bool modified);

    // Every edit of the content is a step: a run of edits with one merge key (typing into one field) is one.
    // Undo and redo restore the content, the current page and the selection exactly; Replace starts afresh.
    bool CanUndo() const { return history_.CanUndo(); }
    bool CanRedo() const { return history_.CanRedo(); }
    bool Undo();
    bool Redo();
    const History& Steps() const { return history_; }
    void SetHistoryBounds(std::size_t maxSteps, std::size_t maxBytes) {
        history_ = History(maxSteps, maxBytes);
    }

    // Changes made outside Apply for the file's sake (a save cutting texts to their slots, say) never
    // happen: the project is only reachable as a constant.
    Signal<const Change&> Changed;

  private:
    void Announce(const Change& change) const { Changed.Emit(change); }
    void KeepPositionValid();
    DocumentState Snapshot() const;
    void Restore(DocumentState state);

    Project project_;
    std::string fileName_;
    bool modified_ = false;
    bool imported_ = false;
    uint16_t currentPage_ = 1;
    bool elementSelected_ = false;

    History history_;
    uint64_t contentId_ = 1;  // changes with every edit, undo and redo
    uint64_t nextId_ = 2;
    uint64_t savedId_ = 1;      // the content last saved (0: none)
    std::string lastMergeKey_;  // of the last edit, while nothing else happened since
};

}  // namespace qxed
