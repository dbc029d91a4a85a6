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
                  ChannelRows(*form)};
    std::erase_if(plan.options, IsUnsetPreset);
    return plan;
}

}  // namespace torvan
