#pragma once

#include <string_view>

#include "form/FormControls.h"
#include "model/FrequencyLimits.h"
#include "model/MemoryImage.h"
#include "model/ModelCatalog.h"

namespace torvan {

// Image to form: the Model and Frequency Range lists are rebuilt from the
// model catalog (read from Program.ini by the caller), then every setting, the password and all 128
// channel rows are set from the image. A set band signature also sets `limits`.
void DecodeImage(const MemoryImage& image, const ModelCatalog& models, FormControls& form,
                 FrequencyLimits& limits);

// Form to image: every setting, the password, the list positions, the band
// signature of `limits` and all 128 channel rows. Bytes and bits no control
// owns stay as they are.
void EncodeImage(FormControls& form, const FrequencyLimits& limits, MemoryImage& image);

// A new document as a form stores it: the new-document bytes, decoded with
// `models` and encoded back (the first model and range, their band).
MemoryImage NewDocumentImage(const ModelCatalog& models);

}  // namespace torvan
