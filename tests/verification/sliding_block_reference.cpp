// SPDX-License-Identifier: GPL-3.0-or-later
#include "sliding_block_reference.h"

#include <cmath>
#include <numbers>

namespace quibel::verification {

namespace {

constexpr double kTwoPi = 6.283185307179586;

// First time in (from, to] at which condition holds, scanning by `scan` and bisecting to
// 1e-14 s; false when it does not hold up to `to`.
template <typename Condition>
bool FirstTime(double from, double to, double scan, Condition condition, double& when) {
    double a = from;
    while (a < to) {
        const double b = std::fmin(a + scan, to);
        if (condition(b)) {
            double lo = a, hi = b;
            while (hi - lo > 1e-14) {
                const double mid = 0.5 * (lo + hi);
                (condition(mid) ? hi : lo) = mid;
            }
            when = hi;
            return true;
        }
        a = b;
    }
    return false;
}

} // namespace

SlidingBlockReference::SlidingBlockReference(double amplitude, double pulsePeriod, int cycles,
                                             double mu, double g)
    : mA(amplitude), mW(kTwoPi / pulsePeriod), mEnd(cycles * pulsePeriod), mMuG(mu * g) {}

double SlidingBlockReference::groundAcceleration(double t) const {
    return t <= mEnd ? mA * std::sin(mW * t) : 0.0;
}

double SlidingBlockReference::groundVelocity(double t) const {
    const double tt = std::fmin(t, mEnd);
    return mA / mW * (1.0 - std::cos(mW * tt));
}

double SlidingBlockReference::groundDisplacement(double t) const {
    const double tt = std::fmin(t, mEnd);
    const double inSine = mA / mW * (tt - std::sin(mW * tt) / mW);
    return inSine + (t > mEnd ? groundVelocity(mEnd) * (t - mEnd) : 0.0);
}

double SlidingBlockReference::slidingVelocity(double t) const {
    return -(groundVelocity(t) - groundVelocity(mT0)) - mSign * mMuG * (t - mT0);
}

double SlidingBlockReference::slidingDisplacement(double t) const {
    const double dt = t - mT0;
    return mU0 - (groundDisplacement(t) - groundDisplacement(mT0) - groundVelocity(mT0) * dt) -
           mSign * mMuG * dt * dt / 2.0;
}

double SlidingBlockReference::displacementAt(double t) const {
    return mSign == 0 ? mU0 : slidingDisplacement(t);
}

void SlidingBlockReference::advance(double target) {
    const double scan = 2.0 * std::numbers::pi / mW / 4000.0;
    while (mT < target) {
        double when = 0.0;
        if (mSign == 0) {
            // At rest the block starts when the base acceleration exceeds friction; after the
            // sine it never starts again.
            const double to = std::fmin(target, mEnd);
            if (mT >= to ||
                !FirstTime(
                    mT, to, scan, [&](double t) { return std::abs(groundAcceleration(t)) > mMuG; },
                    when)) {
                mT = target;
                return;
            }
            mT = mT0 = when;
            mSign = groundAcceleration(when) > 0.0 ? -1 : 1; // the block lags behind the base
            ++mEpisodes;
        } else {
            if (!FirstTime(
                    mT, target, scan, [&](double t) { return mSign * slidingVelocity(t) <= 0.0; },
                    when)) {
                mT = target;
                return;
            }
            mU0 = slidingDisplacement(when);
            mT = when;
            mSign = 0;
        }
    }
}

std::vector<double> SlidingBlockReference::displacements(const std::vector<double>& times) {
    std::vector<double> out;
    out.reserve(times.size());
    for (double t : times) {
        advance(t);
        out.push_back(displacementAt(t));
    }
    return out;
}

double SlidingBlockReference::permanentDisplacement() {
    // After the sine the block decelerates by mu g at most |v| / (mu g) later.
    const double bound = mEnd + 2.0 * std::abs(mA) / mW / mMuG + 1.0;
    advance(bound);
    return displacementAt(bound);
}

} // namespace quibel::verification
