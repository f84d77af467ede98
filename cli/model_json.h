// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/project_record.h"

#include <string>

namespace quibel::cli {

/// The input part of model as one JSON object whose keys are the record's field names.
/// Doubles use the shortest text that reads back to the same bits; a value that is not a
/// number (NaN, infinities, which JSON cannot hold) is written as the string "NaN",
/// "Infinity" or "-Infinity".
/// FileVersion is written as given, the words of the file as it was read.
std::string modelToJson(const TBlocStatic& model, const std::array<std::int16_t, 4>& fileVersion);

} // namespace quibel::cli
