#pragma once

#include <string>
#include <vector>

#include "model/FormControls.h"
#include "model/FrequencyLimits.h"
#include "model/MemoryImage.h"
#include "model/ModelCatalog.h"

namespace torvan {

// First step of DecodeImage: fills Model and Frequency Range from the catalog
// and selects the positions stored at 0xFD3 and 0xFD2. Limits stay.
void ApplyProfileStep(const MemoryImage& image, const ModelCatalog& models, FormControls& form);

// The band step of DecodeImage: selects the range matching a set band
// signature and takes its limits; an unset signature changes nothing.
void ApplyBandStep(const MemoryImage& image, FormControls& form, FrequencyLimits& limits);

// The Model list's selection changed: refill the ranges, select the first
// and take its limits.
void OnModelChanged(const ModelCatalog& models, FormControls& form, FrequencyLimits& limits);

// The Frequency Range list's selection changed: take its limits.
void OnRangeChanged(FormControls& form, FrequencyLimits& limits);

}  // namespace torvan
