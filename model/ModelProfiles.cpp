#include "model/ModelProfiles.h"

#include "model/BandSignature.h"

namespace torvan {
namespace {

const std::string kSetup = "Setup";

void FillRanges(const IniStore& ini, int model, ChoiceList& ranges) {
    ranges.Reset();
    for (const auto& entry : SplitRanges(ini.ReadString(kSetup, "Field" + std::to_string(model)))) {
        ranges.Add(entry);
    }
}

void TakeLimits(const std::string& rangeText, FrequencyLimits& limits) {
    if (const auto parsed = LimitsFromRangeText(rangeText)) {
        limits = *parsed;
    }
}

// The limits of the range the form shows; the start limits when it shows
// none that names two limits.
FrequencyLimits ShownRangeLimits(FormControls& form) {
    return LimitsFromRangeText(form.List(Setting::FrequencyRange).SelectedText())
        .value_or(FrequencyLimits{});
}

}  // namespace

std::vector<std::string> SplitRanges(const std::string& field) {
    std::vector<std::string> entries;
    std::size_t start = 0;
    while (start <= field.size()) {
        const std::size_t end = std::min(field.find(';', start), field.size());
        if (end > start) {
            entries.push_back(field.substr(start, end - start));
        }
        start = end + 1;
    }
    return entries;
}

void ApplyProfileStep(const MemoryImage& image, const IniStore& ini, FormControls& form) {
    ChoiceList& models = form.List(Setting::Model);
    models.Reset();
    for (int i = 0; i < kMaxModels; ++i) {
        const std::string name = ini.ReadString(kSetup, "Type" + std::to_string(i));
        if (name.empty()) {
            break;
        }
        models.Add(name);
    }
    int model = image[offset::kModelIndex];
    if (model >= models.Count()) {
        model = 0;
    }
    models.Select(model);
    ChoiceList& ranges = form.List(Setting::FrequencyRange);
    FillRanges(ini, model, ranges);
    ranges.Select(image[offset::kRangeIndex]);
}

void ApplyBandStep(const MemoryImage& image, FormControls& form, FrequencyLimits& limits) {
    const auto band = ReadBandSignature(image);
    // A new document has no band, and bytes such as 00 00 00 name none that
    // a frequency fits in. Limits left over from the last image would then
    // clamp what is typed to a band the form does not show.
    if (!band || band->lower >= band->upper) {
        limits = ShownRangeLimits(form);
        return;
    }
    const std::string text =
        std::to_string(band->lower) + "-" + std::to_string(band->upper) + "MHz";
    form.List(Setting::FrequencyRange).SelectByPrefix(text, false);
    limits = FrequencyLimits{band->lower * 100000U, band->upper * 100000U};
}

void OnModelChanged(const IniStore& ini, FormControls& form, FrequencyLimits& limits) {
    const int model = form.List(Setting::Model).Selected();
    if (model == ChoiceList::kNone) {
        return;
    }
    ChoiceList& ranges = form.List(Setting::FrequencyRange);
    FillRanges(ini, model, ranges);
    ranges.Select(0);
    TakeLimits(ranges.SelectedText(), limits);
}

void OnRangeChanged(FormControls& form, FrequencyLimits& limits) {
    TakeLimits(form.List(Setting::FrequencyRange).SelectedText(), limits);
}

}  // namespace torvan
