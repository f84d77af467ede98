// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/input/geometry_values.h"

#include "model/geometry_flags.h"
#include "model/model_flags.h"
#include "model/record_fields.h"

namespace quibel {

GeometryValues GeometryValues::of(const TBlocStatic& m) {
    GeometryValues v;
    v.AnalysisKind = m.AnalysisKind;
    for (std::size_t i = 0; i < kGeometryFields.size(); ++i)
        v.values[i] = recordField(kGeometryFields[i]).member.get(m);
    return v;
}

void applyGeometry(const GeometryValues& v, TBlocStatic& m) {
    m.AnalysisKind = v.AnalysisKind;
    for (std::size_t i = 0; i < kGeometryFields.size(); ++i)
        recordField(kGeometryFields[i]).member.set(m, v.values[i]);
    updateGeometryFlags(m);
    setFlag(m.ModelFlags, ModelFlag::ResultsValid, false);
}

double GeometryValues::value(std::string_view field) const noexcept {
    for (std::size_t i = 0; i < kGeometryFields.size(); ++i)
        if (kGeometryFields[i] == field)
            return values[i];
    return 0.0;
}

} // namespace quibel
