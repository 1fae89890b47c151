#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace qxed {

// The per-user settings of the editor in "Qx200.Ini": the grid, the download port, the folder the file
// dialogs start in and the PLC type new projects get. Read once when the main window is shown; each value is
// written back when it changes. A file that cannot be written loses nothing else: the value stays in effect
// for this run.
class ProgramSettings {
  public:
    explicit ProgramSettings(std::string path);

    // Reads the four values; missing or unreadable ones give their defaults.
    void Load();

    bool Grid() const { return grid_; }
    int CommPort() const { return commPort_; }
    const std::string& LastDir() const { return lastDir_; }
    int PlcType() const { return plcType_; }

    void SetGrid(bool grid);
    void SetCommPort(int port);
    void SetLastDir(const std::string& folder);
    void SetPlcType(int plcType);

    // The project files opened or saved last, newest first, at most kRecentFiles (section "Recent").
    static constexpr std::size_t kRecentFiles = 8;
    const std::vector<std::string>& RecentFiles() const { return recent_; }
    void AddRecentFile(const std::string& path);
    void RemoveRecentFile(const std::string& path);

    const std::string& Path() const { return path_; }

  private:
    std::string path_;
    bool grid_ = true;
    int commPort_ = 0;
    std::string lastDir_;
    int plcType_ = 21;
    std::vector<std::string> recent_;

    void WriteRecentFiles();
};

// The folder the file dialogs start in when the settings name none: the user's documents folder, or the
// home folder when there is none.
std::string DefaultDocumentsFolder();

}  // namespace qxed
