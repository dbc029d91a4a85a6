#include "print/PlanText.h"

#include <algorithm>
#include <memory>

#include "form/ChannelCodec.h"
#include "form/ImageCodec.h"
#include "form/MemoryForm.h"

namespace torvan {

PlanText ReadPlanText(const MemoryImage& image, const ModelCatalog& models, std::string title,
                      std::string date) {
    // A decoded form is large; keep it off the stack.
    const auto form = std::make_unique<MemoryForm>();
    FrequencyLimits limits;
    DecodeImage(image, models, *form, limits);
    PlanText plan{std::move(title),
                  std::move(date),
                  form->List(Setting::Model).SelectedText(),
                  form->List(Setting::FrequencyRange).SelectedText(),
                  SettingFields(*form),
                  OptionGroupFields(image),
                  {}};
    std::erase_if(plan.options, [](const ImageField& field) {
        return field.group == "Radio" && field.text.empty();
    });
    const std::vector<ImageField> cells = ChannelFields(*form);
    const auto perChannel = static_cast<std::size_t>(column::kName);
    for (std::size_t at = 0; at < cells.size(); at += perChannel) {
        if (cells[at].text.empty()) {
            continue;  // no receive frequency: an empty channel
        }
        auto& row = plan.channels.emplace_back();
        row[0] = std::to_string(at / perChannel + 1);
        for (std::size_t col = 0; col < perChannel; ++col) {
            row[col + 1] = cells[at + col].text;
        }
    }
    return plan;
}

}  // namespace torvan
