#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "form/CellTable.h"
#include "form/ChoiceList.h"

namespace torvan {

// The drop-down lists of the settings panel.
enum class Setting {
    Model,
    FrequencyRange,
    FrequencyMode,
    LockChannelMode,
    ScanMode,
    Tot,
    PriorityChannel,
    VoxLevel,
    BatterySave,
    Sql,
    Beep,
    Ste,
    EndRoger,
};
inline constexpr int kSettingCount = 13;

// What DecodeImage and EncodeImage read and write: the settings panel's lists,
// its password edit and the channel grid. The GUI's form view implements it
// over widgets; MemoryForm implements it in memory.
class FormControls {
public:
    virtual ~FormControls() = default;

    virtual ChoiceList& List(Setting setting) = 0;
    virtual CellTable& Grid() = 0;
    virtual std::string PasswordText() const = 0;
    virtual void SetPasswordText(const std::string& text) = 0;
    // Lets an in-place cell editor that is still open commit into the grid.
    virtual void CommitOpenEditor() {}
};

// The label the settings panel shows for a list ("Model", "TOT", ...).
std::string_view SettingLabel(Setting setting);

// The fixed entries of a list, in order; empty for Model and Frequency Range,
// which come from Program.ini.
std::vector<std::string> FixedEntries(Setting setting);

// Empties and fills every list whose entries are fixed.
void FillFixedLists(FormControls& form);

}  // namespace torvan
