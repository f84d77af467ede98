// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/enums.h"
#include "model/project_record.h"

#include <array>
#include <string_view>

namespace quibel {

/// The record fields the geometry dialog edits, in its tab order.
inline constexpr std::array<std::string_view, 17> kGeometryFields{
    "M",    "Hd",   "H",  "Hr", "B",  "Beta", "U",  "Xu", "T",
    "PhiS", "PhiD", "Im", "Xc", "Yc", "Eu",   "Ed", "Es"};

/// What the geometry dialog edits: the analysis type and the block's scalar inputs, in the
/// project's units (lengths, mass, force, mass x length²; angles in degrees).
struct GeometryValues final {
    quibel::AnalysisKind AnalysisKind = quibel::AnalysisKind::Sliding;
    std::array<double, kGeometryFields.size()> values{}; ///< in the order of kGeometryFields

    static GeometryValues of(const TBlocStatic& model);
    /// The value of the record field named field, one of kGeometryFields.
    double value(std::string_view field) const noexcept;
};

/// Writes values into model: the analysis type, the seventeen values, then the flags they
/// decide (see updateGeometryFlags) and ResultsValid cleared. Nothing else is checked.
void applyGeometry(const GeometryValues& values, TBlocStatic& model);

} // namespace quibel
