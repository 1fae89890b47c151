#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "model/project.h"
#include "panels/coil_group.h"
#include "panels/control_state.h"
#include "text/code_page.h"
#include "workbench/editor_dialogs.h"

namespace qxed {

class Language;

// What the alarm grid shows below its heading row: one row per alarm and, while the list has room, an
// empty row to append to. The coil column is not edited.
struct AlarmGridState {
    std::vector<std::string> Coils;  // UTF-8; empty for the append row
    std::vector<std::string> Texts;  // bytes of the project's code page
    int CurrentRow = 0;              // 0-based below the heading
    int TextColumnWidth = 171;       // narrower once the grid scrolls
    bool operator==(const AlarmGridState&) const = default;
};

class AlarmListOKBottomDlgView {
  public:
    virtual ~AlarmListOKBottomDlgView() = default;
    virtual void ShowState(const PanelState& fields, const AlarmGridState& grid) = 0;
};

// The alarm list dialog: the first alarm coil and one text per alarm, the coil of each following alarm being
// the next coil in the PLC's numbering. It works on a copy; OK gives the list back, Cancel drops it.
//
// The list holds as many alarms as the model's list has slots, but never more than 255: the panel's image
// counts its alarms in one byte, and a list it could not count would make every download fail. So the
// 128-slot models keep all 128 alarms, and the 256-slot models 255.
class AlarmListOKBottomDlg {
  public:
    static constexpr int kImageAlarmMax = 255;
    static constexpr int kGridRowsBeforeScrolling = 17;  // below the heading

    explicit AlarmListOKBottomDlg(const Language& language);

    // The coil types, bounds and bit list of the first alarm coil.
    void ApplyPlcProfile(int plcType);
    // The list's capacity and how long a text may be.
    void ApplyModel(int model);
    int Capacity() const { return capacity_; }
    // Bytes an alarm text keeps on OK: 40 on QX420, 30 on QX421, 24 on the others.
    int TextBytes() const { return textBytes_; }

    void SetView(AlarmListOKBottomDlgView* view);
    const PanelState& State() const { return fields_; }
    const AlarmGridState& Grid() const { return grid_; }

    // The project's list; its texts are in codePage.
    void FormShow(const ProjectSettings& settings, const std::array<std::string, kMaxAlarmTexts>& texts,
                  CodePage codePage);

    void AlarmCoilStationSpinEditChange(int32_t station);
    void AlarmCoilTypeComboBoxChange(int32_t index);
    void AlarmCoilNoSpinEditChange(int32_t word);
    void AlarmCoilNoComboBoxChange(int32_t bit);
    // A cell became current; the coil column cannot be, its row's text cell is taken instead.
    void AlarmListStringGridSelectCell(int row);
    // The text of a row was edited (bytes of the code page). Under the English version a text with a byte
    // of 0x80 or above is refused and the row keeps its text.
    void AlarmListStringGridSetEditText(int row, const std::string& text);

    AlarmListChoice OKBtnClick() const;

  private:
    void KeepStartCoilRules();
    void Tidy();
    void Publish();

    bool asciiOnly_;
    CoilGroup coil_;
    int plcType_ = -1;
    int capacity_ = 128;
    int textBytes_ = 24;
    CodePage codePage_ = CodePage::Gbk;
    PlcAddress start_;
    std::vector<std::string> alarms_;
    int currentRow_ = 0;
    PanelState fields_;
    AlarmGridState grid_;
    AlarmListOKBottomDlgView* view_ = nullptr;
};

}  // namespace qxed
