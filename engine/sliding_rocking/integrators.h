// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/sliding_rocking/context.h"
#include "engine/sliding_rocking/state.h"

namespace quibel {

// Time integration of the sliding-and-rocking motion over a span s of the step (s = the whole
// step h, or what is left of it after an event). Every span is taken as at least 0.

/// Pure sliding by the Newmark method over span (s) from (u0, v0, a0): the acceleration
/// (D + Fr) / (M + mh cos² theta0), with the translational added mass mh of the water at u0,
/// friction against the velocity (or, from rest, D and Fr of a new PlaneForces). When the
/// velocity reaches zero inside the span while friction can hold the block (|D| <= |Fr|), the
/// block stops at that instant (the root of the velocity for an acceleration linear over the
/// span, or the end of the span when there is none) and the mode becomes Stop.
void SlidingNewmarkStep(const SlidingRockingContext& c, SlidingRockingState& s,
                        double span) noexcept;

/// The rotation of the state's mode over span (s) from (theta0, omega0, alpha0) by the classical
/// fourth-order Runge-Kutta method, with the sliding displacement held at u0: the angular
/// acceleration of pure rocking (modes 2, 3) or of the coupled motion (4..7), none in modes 0
/// and 1. The ground accelerations are those of the start, the middle and the end of the
/// whole step, even for a shorter span. Sets theta, omega, alpha; a is the coupled sliding
/// acceleration of the last evaluation (modes 4..7), 0 in modes 2 and 3, unchanged otherwise.
void IntegrateRotation(const SlidingRockingContext& c, SlidingRockingState& s, MotionMode mode,
                       double span) noexcept;

/// The instant in [0, span] (s) at which the rotation of mode reaches zero, by bisection on
/// IntegrateRotation (to 1e-6 x span, at most 20 halvings). Works on the state's results: on
/// return theta, omega, alpha and a hold those of the last integration, near the root.
double RotationZeroTime(const SlidingRockingContext& c, SlidingRockingState& s, MotionMode mode,
                        double span) noexcept;

/// The instant in [0, span] (s) at which the sliding velocity v0 + (a0 + a) t / 2 reaches zero,
/// a being the sliding acceleration left by IntegrateRotation of mode over t, by bisection (to
/// 1e-8 x span, at most 30 halvings). Like RotationZeroTime it leaves the last integration in
/// the state's results.
double SlidingStopTime(const SlidingRockingContext& c, SlidingRockingState& s, MotionMode mode,
                       double span) noexcept;

/// v = v0 + (a0 + a) span / 2 and u by the Newmark variant of the options (linear acceleration
/// or constant average acceleration).
void NewmarkUpdate(const SlidingRockingContext& c, SlidingRockingState& s, double span) noexcept;
/// v = v0 + (a0 + a) span / 2 and u by the linear-acceleration formula, whatever the options.
void LinearUpdate(SlidingRockingState& s, double span) noexcept;
/// Only u of LinearUpdate: u0 + v0 span + a0 span² / 3 + a span² / 6.
void LinearDisplacement(SlidingRockingState& s, double span) noexcept;

} // namespace quibel
