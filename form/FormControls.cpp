#include "form/FormControls.h"

#include <array>

namespace torvan {
namespace {

std::vector<std::string> Numbered(const char* first, int from, int to) {
    std::vector<std::string> entries{first};
    for (int i = from; i <= to; ++i) {
        entries.push_back(std::to_string(i));
    }
    return entries;
}

}  // namespace

std::string_view SettingLabel(Setting setting) {
    static constexpr std::array<std::string_view, kSettingCount> kLabels = {
        "Model",
        "Frequency Range",
        "Frequency Mode",
        "Lock Channel Mode",
        "Scan Mode",
        "TOT",
        "Priority Channel",
        "Vox Level",
        "Battery Save",
        "SQL",
        "Beep",
        "STE",
        "End Roger",
    };
    return kLabels.at(static_cast<std::size_t>(setting));
}

std::vector<std::string> FixedEntries(Setting setting) {
    switch (setting) {
        case Setting::Model:
        case Setting::FrequencyRange:
            return {};
        case Setting::FrequencyMode:
            return {"Channel", "Frequency", "Memory"};
        case Setting::LockChannelMode:
        case Setting::BatterySave:
        case Setting::Beep:
            return {"On", "Off"};
        case Setting::ScanMode:
            return {"TO", "CO", "SE"};
        case Setting::Tot: {
            std::vector<std::string> entries{"Off"};
            for (int seconds = 30; seconds <= 300; seconds += 30) {
                entries.push_back(std::to_string(seconds));
            }
            return entries;
        }
        case Setting::PriorityChannel:
            return Numbered("None", 1, 128);
        case Setting::VoxLevel:
            return Numbered("Off", 1, 9);
        case Setting::Sql:
            return Numbered("0", 1, 9);
        case Setting::Ste:
            return {"Off", "120  phase shift", "180 phase shift", "240 phase shift"};
        case Setting::EndRoger:
            return Numbered("Off", 1, 10);
    }
    return {};
}

void FillFixedLists(FormControls& form) {
    for (int i = 0; i < kSettingCount; ++i) {
        const auto setting = static_cast<Setting>(i);
        const auto entries = FixedEntries(setting);
        if (entries.empty()) {
            continue;
        }
        ChoiceList& list = form.List(setting);
        list.Reset();
        for (const auto& entry : entries) {
            list.Add(entry);
        }
    }
}

}  // namespace torvan
