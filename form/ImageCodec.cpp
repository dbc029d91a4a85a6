#include "form/ImageCodec.h"

#include "form/ChannelCodec.h"
#include "form/MemoryForm.h"
#include "form/ModelProfiles.h"
#include "model/BandSignature.h"
#include "model/Codecs.h"
#include "model/Numbers.h"
#include "model/PasswordCodec.h"

namespace torvan {
namespace {

// Lists whose entry 0 is "On" and entry 1 "Off".
void SelectOnOff(ChoiceList& list, bool on) {
    list.Select(on ? 0 : 1);
}

// Frequency Mode and Scan Mode: values 1 and 2 pick entries 1 and 2, else 0.
void SelectMode(ChoiceList& list, std::uint8_t byte) {
    const int value = byte & settings::kModeMask;
    list.Select(value < settings::kModeCount ? value : 0);
}

std::uint8_t SelectedMode(const ChoiceList& list) {
    const int position = list.Selected();
    return position == 1 || position == 2 ? static_cast<std::uint8_t>(position) : 0;
}

std::uint8_t SelectedPosition(const ChoiceList& list) {
    const int position = list.Selected();
    return position == ChoiceList::kNone ? 0 : static_cast<std::uint8_t>(position);
}

std::uint8_t SelectedNumber(const ChoiceList& list, int divisor = 1) {
    return static_cast<std::uint8_t>(ParseInteger(list.SelectedText()) / divisor);
}

void SelectSte(ChoiceList& list, std::uint8_t byte) {
    switch (byte & settings::kSteMask) {
        case settings::kSte120:
            list.Select(1);
            break;
        case settings::kSte180:
            list.Select(2);
            break;
        case settings::kSte240:
            list.Select(3);
            break;
        default:
            list.Select(0);
    }
}

std::uint8_t SteBits(const ChoiceList& list) {
    switch (list.Selected()) {
        case 0:
            return settings::kSteOff;
        case 2:
            return settings::kSte180;
        case 3:
            return settings::kSte240;
        default:
            return settings::kSte120;
    }
}

}  // namespace

void DecodeImage(const MemoryImage& image, const ModelCatalog& models, FormControls& form,
                 FrequencyLimits& limits) {
    const auto list = [&](Setting s) -> ChoiceList& { return form.List(s); };
    const std::uint8_t flags = image[offset::kFlags];
    ApplyProfileStep(image, models, form);
    SelectMode(list(Setting::FrequencyMode), image[offset::kFrequencyMode]);
    SelectOnOff(list(Setting::LockChannelMode), (flags & settings::kLockChannelBit) != 0);
    DecodeChannels(image, form.Grid());
    ApplyBandStep(image, form, limits);
    const std::string password = DecodePassword(image);
    SelectOnOff(list(Setting::Beep), (flags & settings::kBeepBit) != 0);
    SelectOnOff(list(Setting::BatterySave), (flags & settings::kBatterySaveBit) != 0);
    list(Setting::Sql)
        .SelectByPrefix(std::to_string(image[offset::kSql]), PrefixSearch::FromSecond);
    list(Setting::Tot)
        .SelectByPrefix(std::to_string(image[offset::kTot] * settings::kTotStepSeconds),
                        PrefixSearch::FromSecond);
    list(Setting::VoxLevel)
        .SelectByPrefix(std::to_string(image[offset::kVox]), PrefixSearch::FromSecond);
    list(Setting::EndRoger).SelectOrFirst(image[offset::kEndRoger]);
    list(Setting::PriorityChannel).SelectOrFirst(image[offset::kPriorityChannel]);
    SelectSte(list(Setting::Ste), image[offset::kScanSte]);
    SelectMode(list(Setting::ScanMode), image[offset::kScanSte]);
    form.SetPasswordText(password);
}

void EncodeImage(FormControls& form, const FrequencyLimits& limits, MemoryImage& image) {
    const auto list = [&](Setting s) -> ChoiceList& { return form.List(s); };
    const std::string password = form.PasswordText();
    std::uint8_t& mode = image[offset::kFrequencyMode];
    mode = static_cast<std::uint8_t>((mode & ~settings::kModeMask) |
                                     SelectedMode(list(Setting::FrequencyMode)));
    SetBits(image[offset::kFlags], settings::kLockChannelBit,
            list(Setting::LockChannelMode).Selected() == 0);
    WriteBandSignature(limits, image);
    form.CommitOpenEditor();
    EncodeChannels(form.Grid(), image);
    image[offset::kRangeIndex] = SelectedPosition(list(Setting::FrequencyRange));
    image[offset::kModelIndex] = SelectedPosition(list(Setting::Model));
    EncodePasswordBytes(password, image);
    SetBits(image[offset::kFlags], settings::kBeepBit, list(Setting::Beep).Selected() == 0);
    SetBits(image[offset::kFlags], settings::kBatterySaveBit,
            list(Setting::BatterySave).Selected() == 0);
    image[offset::kTot] = SelectedNumber(list(Setting::Tot), settings::kTotStepSeconds);
    image[offset::kSql] = SelectedNumber(list(Setting::Sql));
    image[offset::kVox] = SelectedNumber(list(Setting::VoxLevel));
    image[offset::kEndRoger] = SelectedPosition(list(Setting::EndRoger));
    image[offset::kPriorityChannel] = SelectedPosition(list(Setting::PriorityChannel));
    std::uint8_t& scanSte = image[offset::kScanSte];
    scanSte =
        static_cast<std::uint8_t>((scanSte & ~settings::kSteMask) | SteBits(list(Setting::Ste)));
    scanSte = static_cast<std::uint8_t>((scanSte & ~settings::kModeMask) |
                                        SelectedMode(list(Setting::ScanMode)));
}

MemoryImage NewDocumentImage(const ModelCatalog& models) {
    MemoryImage image;
    image.ResetToNewDocument();
    MemoryForm form;
    FrequencyLimits limits;
    DecodeImage(image, models, form, limits);
    EncodeImage(form, limits, image);
    return image;
}

}  // namespace torvan
