// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/sliding_rocking/kinematics.h"
#include "engine/sliding_rocking/modes.h"

namespace quibel {

/// The working state of one sliding-and-rocking step, shared by its plane forces, equations,
/// integrators and transition rules. Sliding along the plane is positive downstream; the
/// rotation is positive about the heel (counter-clockwise). SI throughout.
///
/// The start values are those of the step; an event inside the step (the rotation reaching
/// zero, the sliding velocity changing sign) replaces them by the values at the event, so the
/// rest of the step is integrated from there.
struct SlidingRockingState final {
    double u0 = 0.0, v0 = 0.0, a0 = 0.0;             ///< start: m, m/s, m/s²
    double theta0 = 0.0, omega0 = 0.0, alpha0 = 0.0; ///< start: rad, rad/s, rad/s²
    double u = 0.0, v = 0.0, a = 0.0;                ///< being produced: m, m/s, m/s²
    double theta = 0.0, omega = 0.0, alpha = 0.0;    ///< being produced: rad, rad/s, rad/s²
    MotionMode mode = MotionMode::Stop;

    double D = 0.0;  ///< driving force along the plane, kN, positive downstream
    double Fr = 0.0; ///< friction force along the plane, kN, against D or the velocity
    double E = 0.0;  ///< energy lost in impacts during this step, kN·m

    double h = 0.0;   ///< the full integration step, s
    double ag0 = 0.0; ///< horizontal ground acceleration at the start of the step, m/s²
    double ag1 = 0.0; ///< at its end, m/s²
    double av0 = 0.0; ///< vertical ground acceleration at the start of the step, m/s²
    double av1 = 0.0; ///< at its end, m/s²
    double Fh = 0.0;  ///< horizontal force history, kN (0 off the block)
    double Fv = 0.0;  ///< vertical force history, kN (0 off the block)

    /// The mass properties last evaluated about each pivot, and the sliding displacements they
    /// were evaluated at (m): the energy terms of the step use these.
    MassProperties heel;
    MassProperties toe;
    double heelU = 0.0;
    double toeU = 0.0;
    /// The translational added mass of the water last formed, t (the AddedMassW working value).
    double addedMassW = 0.0;
    /// The horizontal hydrostatic force last formed, kN (the HydroThrust working value).
    double hydroThrust = 0.0;

    /// u = u0, v = 0, a = 0.
    void resetSliding() noexcept {
        u = u0;
        v = 0.0;
        a = 0.0;
    }
    /// theta = omega = alpha = 0.
    void resetRotation() noexcept {
        theta = 0.0;
        omega = 0.0;
        alpha = 0.0;
    }
    /// All six start values take the current ones.
    void startFromCurrent() noexcept {
        u0 = u;
        v0 = v;
        a0 = a;
        theta0 = theta;
        omega0 = omega;
        alpha0 = alpha;
    }
};

} // namespace quibel
