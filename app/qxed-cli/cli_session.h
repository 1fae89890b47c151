#pragma once
#include <optional>
#include <string>

#include "files/project_file.h"
#include "image/character_sets.h"
#include "model/editor_defaults.h"
#include "model/project.h"
#include "stderr_prompts.h"
#include "text/language.h"
#include "text/text_key.h"

namespace qxed::cli {

// What every command works with: the language file the user chose, else the program folder's (or that of
// --data-dir), the defaults it gives new projects, and the prompts that print messages to stderr, those about
// a file after its name.
class CliSession {
  public:
    // A --data-dir that is not a folder is bad usage.
    explicit CliSession(const std::optional<std::string>& dataDir);

    const Language& Lang() const { return language_; }
    StderrPrompts& Prompts() { return prompts_; }
    // A project whose texts use the language file's code page.
    Project NewProject() const { return Project(defaults_); }

    // Prints a message text of the language file about the file, as the editor would show it.
    void ReportAbout(const std::string& file, const TextKey& key, const std::string& detail = {});
    // The message that the file cannot be saved, with the system's reason of the failed write beside it.
    void ReportWriteFailure(const std::string& file, int error);

    // Opens a project file of any readable version. False after its message.
    bool Open(const std::string& file, Project& project);
    // Saves the project in the current version under the file name. False after its message.
    bool Save(Project& project, const std::string& file);

  private:
    Language language_;
    EditorDefaults defaults_;
    StderrPrompts prompts_;
};

// The whole file, or nullopt (with errno's text in `error`) when it cannot be read; only regular files, so a
// named pipe cannot hang the command.
std::optional<std::string> ReadWholeFile(const std::string& path, std::string& error);

// The header of a project file, read from its first bytes as the loader reads it; FormatWrong for a file that
// cannot be read.
LoadOutcome ReadFileHeader(const std::string& file);

// The whole input file, or nullopt after printing why it cannot be read ("FILE: reason").
std::optional<std::string> ReadInputFile(const std::string& path);

// Makes the project from its JSON form; false after printing "FILE: path: message".
bool MakeFromJsonForm(const std::string& file, const std::string& text, Project& project);

// Makes the project from the bytes of FILE: its JSON form (it starts with "{") or a project file of any
// version. False after the message.
bool OpenProjectBytes(CliSession& session, const std::string& file, const std::string& bytes,
                      Project& project);

// The text language of a --lang value (En, Ko, sCh, Ru); anything else is bad usage.
TextLanguage LanguageOfName(const std::string& name);

// Writes beside the target, flushes and renames over it, so a failed write leaves the old file.
bool WriteWholeFile(const std::string& path, const std::string& bytes);

}  // namespace qxed::cli
