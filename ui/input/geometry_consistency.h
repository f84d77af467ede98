// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "texts/text_catalogue.h"
#include "ui/input/geometry_values.h"

#include <QString>

#include <string_view>
#include <vector>

namespace quibel {

/// One way in which the geometry dialog's values contradict each other: the record field to
/// correct (its name in the record, "H", "Xu"...) and the sentence that says why.
struct GeometryContradiction final {
    std::string_view field;
    QString text;
};

/// The contradictions of values in the user's language, the first to correct first: a block
/// taller than the dam, an uplift point beyond the base, a reservoir more than twice as high
/// as the dam, a dam, block, reservoir or base beyond 10 km, a toe outside the dam's height.
/// Zero values are no contradiction (they leave the geometry incomplete).
std::vector<GeometryContradiction> geometryContradictions(const GeometryValues& values,
                                                          UnitSystem units, Language language);

} // namespace quibel
