#include "form/ModelProfiles.h"

#include "model/BandSignature.h"

namespace torvan {
namespace {

constexpr unsigned kMaxBandMHz = 999;  // three decimal digits in the signature

void FillRanges(const ModelCatalog& models, int model, ChoiceList& ranges) {
    ranges.Reset();
    if (model < 0 || model >= static_cast<int>(models.size())) {
        return;
    }
    for (const auto& entry : models[static_cast<std::size_t>(model)].ranges) {
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

void ApplyProfileStep(const MemoryImage& image, const ModelCatalog& catalog, FormControls& form) {
    ChoiceList& models = form.List(Setting::Model);
    models.Reset();
    for (const ModelEntry& entry : catalog) {
        models.Add(entry.name);
    }
    int model = image[offset::kModelIndex];
    if (model >= models.Count()) {
        model = 0;
    }
    models.Select(model);
    ChoiceList& ranges = form.List(Setting::FrequencyRange);
    FillRanges(catalog, model, ranges);
    ranges.Select(image[offset::kRangeIndex]);
}

void ApplyBandStep(const MemoryImage& image, FormControls& form, FrequencyLimits& limits) {
    const auto band = ReadBandSignature(image);
    // A new document has no band, and bytes such as 00 00 00 name none that
    // a frequency fits in. Limits left over from the last image would then
    // clamp what is typed to a band the form does not show. Digits above 9
    // can read as 1000 MHz or more, which neither the signature nor a stored
    // frequency can hold: no band either.
    if (!band || band->lower >= band->upper || band->upper > kMaxBandMHz) {
        limits = ShownRangeLimits(form);
        return;
    }
    const std::string text =
        std::to_string(band->lower) + "-" + std::to_string(band->upper) + "MHz";
    form.List(Setting::FrequencyRange).SelectByPrefix(text, PrefixSearch::FromFirst);
    limits = FrequencyLimits{band->lower * 100000U, band->upper * 100000U};
}

void OnModelChanged(const ModelCatalog& models, FormControls& form, FrequencyLimits& limits) {
    const int model = form.List(Setting::Model).Selected();
    if (model == ChoiceList::kNone) {
        return;
    }
    ChoiceList& ranges = form.List(Setting::FrequencyRange);
    FillRanges(models, model, ranges);
    ranges.Select(0);
    TakeLimits(ranges.SelectedText(), limits);
}

void OnRangeChanged(FormControls& form, FrequencyLimits& limits) {
    TakeLimits(form.List(Setting::FrequencyRange).SelectedText(), limits);
}

}  // namespace torvan
