// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/sliding_rocking/context.h"
#include "engine/sliding_rocking/state.h"

namespace quibel {

/// The mass properties about the heel (heel = true) or the toe pivot at sliding displacement u
/// (m), kept in the state as the ones last evaluated.
const MassProperties& PivotMassProperties(const SlidingRockingContext& c, SlidingRockingState& s,
                                          bool heel, double u) noexcept;

/// Forces along the analysis plane in the current position (u, v, a, theta, omega, alpha of
/// the state, the end-of-step ground accelerations and the force histories): the driving force
/// D (the components along the plane of the water, hydrodynamic and added loads and of the
/// inertia of the block in the ground's frame, the rotation's centripetal and tangential
/// accelerations included in the combined modes) and the friction force Fr = N mu against D,
/// or against the velocity when the block slides. mu is the dynamic coefficient in the
/// sliding modes (1, 4..7), the static one otherwise; a normal force N that would pull the
/// block off the plane counts as 0. Stores D and Fr in the state (and the hydrostatic force
/// as the last one formed).
void PlaneForces(const SlidingRockingContext& c, SlidingRockingState& s) noexcept;

/// Angular acceleration (rad/s²) of pure rocking, mode 2 (about the heel pivot) or 3 (about
/// the toe pivot), at rotation theta (rad), sliding displacement u (m) and ground accelerations
/// ag, av (m/s²): the moment about the pivot of the block's inertia and weight, the water, the
/// translational hydrodynamic load and the added forces, over the pivot inertia plus the
/// rotational added inertia of the water. An arithmetic failure gives 0.
double RockingAcceleration(const SlidingRockingContext& c, SlidingRockingState& s, MotionMode mode,
                           double av, double ag, double u, double theta) noexcept;

/// Accelerations of a block that slides and rocks at once (modes 4..7).
struct CoupledResult final {
    double alpha = 0.0; ///< angular acceleration, rad/s²
    double a = 0.0;     ///< sliding acceleration along the plane, m/s²
};

/// The coupled angular and sliding accelerations of mode 4..7 at angular velocity omega
/// (rad/s), rotation theta (rad) and sliding displacement u (m): the rotation about the moving
/// pivot with the dynamic friction of the sliding direction, the translational added mass of
/// the water and the rotational hydrodynamic load. Friction acts only while the block presses on
/// the plane: when the normal force of that solution is negative, the accelerations are those
/// without friction. An effective mass of exactly 0 is replaced
/// by 0.01 t (0.0001 t in mode 6); an arithmetic failure in the angular acceleration gives 0.
CoupledResult CoupledAccelerations(const SlidingRockingContext& c, SlidingRockingState& s,
                                   MotionMode mode, double av, double ag, double u, double omega,
                                   double theta) noexcept;

} // namespace quibel
