#pragma once

#include <string>
#include <vector>

#include "form/FormControls.h"
#include "model/FrequencyLimits.h"
#include "model/MemoryImage.h"
#include "model/ModelCatalog.h"

namespace torvan {

// First step of DecodeImage: fills Model and Frequency Range from the catalog
// and selects the positions stored at offset::kModelIndex and
// offset::kRangeIndex. Limits stay.
void ApplyProfileStep(const MemoryImage& image, const ModelCatalog& models, FormControls& form);

// The band step of DecodeImage: selects the range matching a set band
// signature and takes its limits. Without a usable band (unset, or a lower
// limit not below the upper) the selection stays and the limits become those
// of the selected range, or 136-174 MHz when none is selected or readable.
void ApplyBandStep(const MemoryImage& image, FormControls& form, FrequencyLimits& limits);

// The Model list's selection changed: refill the ranges, select the first
// and take its limits.
void OnModelChanged(const ModelCatalog& models, FormControls& form, FrequencyLimits& limits);

// The Frequency Range list's selection changed: take its limits.
void OnRangeChanged(FormControls& form, FrequencyLimits& limits);

}  // namespace torvan
