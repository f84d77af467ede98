// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/run/si_model.h"

#include "model/unit_tables.h"

namespace quibel {

SiModel MakeSiModel(const TBlocStatic& model) noexcept {
    const double length = units::lengthToSi(model.UnitSystem);
    const double force = units::forceToSi(model.UnitSystem);
    const double mass = units::massToSi(model.UnitSystem);
    SiModel si;
    si.M = model.M * mass;
    si.Hd = model.Hd * length;
    si.H = model.H * length;
    si.Hr = model.Hr * length;
    si.B = model.B * length;
    si.Xu = model.Xu * length;
    si.T = model.T * length;
    si.U = model.U * force;
    si.g = model.Options.Gravity * length;
    si.Xc = model.Xc * length;
    si.Yc = model.Yc * length;
    si.Im = model.Im * mass * length * length;
    return si;
}

} // namespace quibel
