#include "form/ImageFields.h"

#include <array>
#include <numeric>
#include <optional>

#include "form/BroadcastPresets.h"
#include "form/ChannelCodec.h"
#include "form/DtmfSettings.h"
#include "form/SideKeys.h"

namespace torvan {
namespace {

constexpr const char* kRadioGroup = "Radio";

std::vector<std::size_t> Range(std::size_t from, std::size_t count) {
    std::vector<std::size_t> addresses(count);
    std::iota(addresses.begin(), addresses.end(), from);
    return addresses;
}

struct ShownSetting {
    std::optional<Setting> setting;  // nothing: the password edit box
    std::vector<std::size_t> addresses;
};

std::vector<ShownSetting> ShownSettings() {
    using namespace offset;
    return {
        {Setting::Model, {kModelIndex}},
        {Setting::FrequencyRange,
         {kRangeIndex, kBandSignature, kBandSignature + 1, kBandSignature + 2}},
        {Setting::LockChannelMode, {kFlags}},
        {Setting::Tot, {kTot}},
        {std::nullopt, Range(kPassword, kPasswordLength)},
        {Setting::PriorityChannel, {kPriorityChannel}},
        {Setting::VoxLevel, {kVox}},
        {Setting::BatterySave, {kFlags}},
        {Setting::Sql, {kSql}},
        {Setting::Beep, {kFlags}},
        {Setting::Ste, {kScanSte}},
        {Setting::EndRoger, {kEndRoger}},
        {Setting::ScanMode, {kScanSte}},
        {Setting::FrequencyMode, {kFrequencyMode}},
    };
}

// The bytes a channel column's text is made from.
std::vector<std::size_t> ColumnAddresses(int channel, int col) {
    const std::size_t slotAt = offset::ChannelSlot(channel);
    switch (col) {
        case column::kRxFrequency:
            return Range(slotAt + slot::kRxFrequency, kFrequencyLength);
        case column::kTxFrequency:
            return Range(slotAt + slot::kTxFrequency, kFrequencyLength);
        case column::kRxCode:
            return Range(slotAt + slot::kRxTone, kToneLength);
        case column::kTxCode:
            return Range(slotAt + slot::kTxTone, kToneLength);
        case column::kPttId:
            return {slotAt + slot::kOptions};
        case column::kScanAdd:
            return {slotAt + slot::kFlags, ScanBitOf(channel).at};
        case column::kName:
            return Range(offset::ChannelName(channel), kNameLength);
        default:
            return {slotAt + slot::kFlags};
    }
}

}  // namespace

std::vector<ImageField> SettingFields(FormControls& form) {
    std::vector<ImageField> fields;
    for (const ShownSetting& shown : ShownSettings()) {
        if (shown.setting) {
            fields.push_back({"Settings", std::string(SettingLabel(*shown.setting)),
                              form.List(*shown.setting).SelectedText(), shown.addresses});
        } else {
            fields.push_back({"Settings", "Password", form.PasswordText(), shown.addresses});
        }
    }
    return fields;
}

std::vector<ImageField> OptionGroupFields(const MemoryImage& image) {
    std::vector<ImageField> fields;
    const SideKeyCodes codes = ReadSideKeyCodes(image);
    constexpr std::array<const char*, kSideKeyActions> kActions = {
        "Side Key1 Short Press", "Side Key1 Long Press", "Side Key2 Short Press",
        "Side Key2 Long Press"};
    for (std::size_t action = 0; action < kSideKeyActions; ++action) {
        fields.push_back({"Side Key",
                          kActions[action],
                          std::string(SideKeyFunctionName(codes[action])),
                          {action < 2 ? offset::kSideKey1 : offset::kSideKey2}});
    }
    const DtmfSettings dtmf = ReadDtmfSettings(image);
    fields.push_back(
        {"DTMF", "Tx Side Tone", dtmf.txSideTone ? "On" : "Off", {offset::kDtmfSideTones}});
    fields.push_back(
        {"DTMF", "Rx Side Tone", dtmf.rxSideTone ? "On" : "Off", {offset::kDtmfSideTones}});
    fields.push_back({"DTMF", "PTT ID", dtmf.pttId, Range(offset::kPttId, offset::kPttIdLength)});
    for (int preset = 1; preset <= kBroadcastPresetCount; ++preset) {
        fields.push_back({kRadioGroup, "Preset " + std::to_string(preset),
                          PresetText(image, preset),
                          Range(offset::BroadcastPreset(preset), kBroadcastPresetSize)});
    }
    return fields;
}

bool IsUnsetPreset(const ImageField& field) {
    return field.group == kRadioGroup && field.text.empty();
}

std::vector<ImageField> ChannelFields(FormControls& form) {
    std::vector<ImageField> fields;
    const CellTable& grid = form.Grid();
    for (int channel = 1; channel <= kChannelCount; ++channel) {
        for (int col = column::kRxFrequency; col <= column::kName; ++col) {
            fields.push_back({"Channel " + std::to_string(channel),
                              std::string(kChannelHeaders[static_cast<std::size_t>(col)]),
                              grid.TextMatrix(channel, col), ColumnAddresses(channel, col)});
        }
    }
    return fields;
}

std::vector<ChannelRow> ChannelRows(FormControls& form) {
    std::vector<ChannelRow> rows;
    const CellTable& grid = form.Grid();
    for (int channel = 1; channel <= kChannelCount; ++channel) {
        if (grid.TextMatrix(channel, column::kRxFrequency).empty()) {
            continue;
        }
        ChannelRow& row = rows.emplace_back(GridRow(grid, channel));
        row[static_cast<std::size_t>(column::kChannel)] = std::to_string(channel);
    }
    return rows;
}

}  // namespace torvan
