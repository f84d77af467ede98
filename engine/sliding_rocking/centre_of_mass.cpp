// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/sliding_rocking/centre_of_mass.h"

#include "engine/sliding_rocking/kinematics.h"
#include "model/unit_tables.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quibel {

CentreOfMassSeries::CentreOfMassSeries(const TBlocStatic& model, Sliding sliding) : mModel(model) {
    const std::optional<TVector>* series[] = {&model.SlidingDisp, &model.SlidingVel,
                                              &model.SlidingAcc,  &model.Rotation,
                                              &model.RotationVel, &model.RotationAcc};
    int n = -1;
    for (const std::optional<TVector>* s : series)
        n = s->has_value() ? (n < 0 ? (*s)->size() : std::min(n, (*s)->size())) : 0;
    mSize = std::max(n, 0);
    if (sliding == Sliding::Horizontal)
        mSlidingFactor = std::cos(model.Beta * std::numbers::pi / 180.0);
    // The mass properties are in metres; the sliding series are in the project's unit.
    const double toUnit = units::lengthFromSi(model.UnitSystem);
    const PivotKinematics pivots(model);
    const MassProperties heel = pivots.HeelMassProperties(0.0);
    const MassProperties toe = pivots.ToeMassProperties(0.0);
    mHeelRadius = heel.Radius * toUnit;
    mHeelAngle = heel.Angle;
    mToeRadius = toe.Radius * toUnit;
    mToeAngle = toe.Angle;
}

CentreOfMassMotion CentreOfMassSeries::at(int k) const noexcept {
    const TBlocStatic& m = mModel;
    const double u = m.SlidingDisp->get(k) * mSlidingFactor;
    const double du = m.SlidingVel->get(k) * mSlidingFactor;
    const double ddu = m.SlidingAcc->get(k) * mSlidingFactor;
    const double th = m.Rotation->get(k), dth = m.RotationVel->get(k), ddth = m.RotationAcc->get(k);
    CentreOfMassMotion r{u, du, ddu};
    if (th > 0.0) {
        const double R = mHeelRadius, a = mHeelAngle, phi = a - th;
        r.displacement = u - R * (std::sin(a) - std::sin(phi));
        r.velocity = du - R * dth * std::cos(phi);
        r.acceleration = ddu - R * (ddth * std::cos(phi) + dth * dth * std::sin(phi));
    } else if (th < 0.0) {
        const double R = mToeRadius, a = mToeAngle, phi = a + th;
        r.displacement = u + R * (std::sin(a) - std::sin(phi));
        r.velocity = du - R * dth * std::cos(phi);
        r.acceleration = ddu - R * (ddth * std::cos(phi) - dth * dth * std::sin(phi));
    }
    return r;
}

} // namespace quibel
