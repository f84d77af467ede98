// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

namespace quibel::verification {

/// The two-way rigid-plastic block: a rigid block on a horizontal plane with Coulomb friction
/// coefficient mu (static = dynamic) under the base acceleration
///     ag(t) = A sin(2 pi t / Tp) for 0 <= t <= cycles Tp, then 0
/// (m/s², positive downstream). The block sticks while |ag| <= mu g; sliding in direction s
/// (sign of the relative velocity) its acceleration relative to the base is -ag(t) - s mu g,
/// so between events the relative velocity and displacement are closed-form integrals of the
/// sine. Starts (|ag| reaches mu g) and stops (the relative velocity returns to 0) are located
/// to 1e-14 s by bisection on these closed forms. Displacements in m, positive downstream.
class SlidingBlockReference final {
public:
    SlidingBlockReference(double amplitude, double pulsePeriod, int cycles, double mu, double g);

    /// Relative displacement at each of the increasing times.
    std::vector<double> displacements(const std::vector<double>& times);
    /// Relative displacement once the block has come to rest for good.
    double permanentDisplacement();
    /// Number of sliding episodes up to the last time asked (or to rest, after
    /// permanentDisplacement).
    int episodes() const noexcept { return mEpisodes; }

private:
    double groundAcceleration(double t) const;
    double groundVelocity(double t) const;     ///< integral of ag from 0
    double groundDisplacement(double t) const; ///< integral of the ground velocity from 0
    double slidingVelocity(double t) const;
    double slidingDisplacement(double t) const;
    double displacementAt(double t) const;
    void advance(double target);

    double mA;
    double mW;
    double mEnd; ///< s, end of the sine
    double mMuG;
    double mT = 0.0;  ///< time reached
    double mT0 = 0.0; ///< start of the current episode
    double mU0 = 0.0; ///< displacement at its start, m
    int mSign = 0;    ///< direction of the current episode, 0 at rest
    int mEpisodes = 0;
};

} // namespace quibel::verification
