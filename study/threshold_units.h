// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "numeric/message.h"
#include "study/study_description.h"

#include <optional>
#include <string>
#include <string_view>

namespace quibel::study {

/// The response a summary column names (peak_sliding, residual_sliding, peak_rotation or
/// peak_rotation_rad, min_sliding_sf, min_overturning_sf), or nothing.
std::optional<ResponseKind> FindResponse(std::string_view name) noexcept;

/// Reads a damage threshold with its unit: a length ("0.05 m"; m, cm, mm, ft, in) for the
/// slidings, given in m; a rotation ("0.01 rad"; rad, mrad, deg) for the rotation, given in rad;
/// a bare number for a safety factor. Returns nothing and sets problem
/// ("study.limit_unit" {response}, "study.bad_unit" {unit}, "study.factor_unit", or
/// "study.not_threshold") otherwise.
std::optional<double> ParseThreshold(ResponseKind response, std::string_view text,
                                     std::optional<Message>& problem);

/// Metres in one length unit of a project (mm, m, in, ft), or nothing for another text.
std::optional<double> MetresPerUnit(std::string_view unit) noexcept;

/// The shortest text that reads back to value.
std::string FormatThreshold(double value);

} // namespace quibel::study
