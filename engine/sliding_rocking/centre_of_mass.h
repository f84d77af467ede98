// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/project_record.h"

namespace quibel {

/// Horizontal motion of the block's centre of mass relative to the ground at one output
/// sample, in the project's length unit (per s, per s²).
struct CentreOfMassMotion final {
    double displacement = 0.0;
    double velocity = 0.0;
    double acceleration = 0.0;
};

/// The horizontal motion of the centre of mass derived from the result series of a
/// sliding-and-rocking run: the sliding plus the swing of the centre about the heel
/// (rotation > 0) or the toe (rotation < 0) pivot, whose radius and angle are those of the
/// pivots without the sliding shift. The radius is taken in the project's length unit, like
/// the sliding series, so the three values agree in every unit system.
class CentreOfMassSeries final {
public:
    /// How the sliding enters: as it stands, the displacement along the plane (the
    /// spreadsheet), or by its horizontal component u cos(beta) (the results viewer).
    enum class Sliding { AlongPlane, Horizontal };

    /// Reads the model's SlidingDisp, SlidingVel, SlidingAcc, Rotation, RotationVel and
    /// RotationAcc, which must outlive this object and hold at least size() samples.
    CentreOfMassSeries(const TBlocStatic& model, Sliding sliding);

    /// Samples that every one of the six series holds (0 when one is missing).
    int size() const noexcept { return mSize; }

    /// The motion at sample k (1 .. size()).
    CentreOfMassMotion at(int k) const noexcept;

private:
    const TBlocStatic& mModel;
    int mSize = 0;
    double mSlidingFactor = 1.0; ///< 1 or cos(beta)
    double mHeelRadius = 0.0;    ///< project's length unit
    double mHeelAngle = 0.0;     ///< rad
    double mToeRadius = 0.0;     ///< project's length unit
    double mToeAngle = 0.0;      ///< rad
};

} // namespace quibel
