// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/geometry_flags.h"

#include "model/model_flags.h"

namespace quibel {

void updateGeometryFlags(TBlocStatic& m) noexcept {
    setFlag(m.ModelFlags, ModelFlag::GeometryComplete,
            m.M > 0 && m.Hd > 0 && m.H > 0 && m.B > 0 && m.Hd >= m.H);
    setFlag(m.ModelFlags, ModelFlag::ReservoirPresent, m.Hr > 0);
}

} // namespace quibel
