// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <vector>

namespace quibel::test {

/// Independent reference for a rigid block on a horizontal plane with Coulomb friction mu
/// (static = dynamic), under the ground acceleration A sin(w t). Between events the motion is
/// integrated in closed form: while sliding in direction s the relative acceleration is
/// -A sin(w t) - s mu g. Starts (|ag| first exceeds mu g) and stops (the relative velocity
/// returns to 0) are located by bisection to 1e-13 s.
class RigidPlasticBlock {
public:
    RigidPlasticBlock(double amplitude, double omega, double mu, double g)
        : mA(amplitude), mW(omega), mMuG(mu * g) {}

    /// Relative displacement at each of the increasing times.
    std::vector<double> displacements(const std::vector<double>& times) {
        std::vector<double> out;
        for (double t : times) {
            advance(t);
            out.push_back(mSign == 0 ? mD0 : slideDisplacement(t));
        }
        return out;
    }

    int starts() const { return mStarts; }
    int startsDownstream() const { return mStartsDownstream; }

private:
    double ag(double t) const { return mA * std::sin(mW * t); }
    double slideVelocity(double t) const {
        return mA / mW * (std::cos(mW * t) - std::cos(mW * mT0)) - mSign * mMuG * (t - mT0);
    }
    double slideDisplacement(double t) const {
        const double dt = t - mT0;
        return mD0 +
               mA / mW * ((std::sin(mW * t) - std::sin(mW * mT0)) / mW - std::cos(mW * mT0) * dt) -
               mSign * mMuG * dt * dt / 2;
    }

    // First time in (from, to] where f changes from false to true, by a scan and bisection.
    template <typename F>
    bool firstTime(double from, double to, F f, double& when) const {
        const double scan = 1e-4;
        double a = from;
        while (a < to) {
            const double b = std::fmin(a + scan, to);
            if (f(b)) {
                double lo = a;
                double hi = b;
                while (hi - lo > 1e-13) {
                    const double mid = (lo + hi) / 2;
                    (f(mid) ? hi : lo) = mid;
                }
                when = hi;
                return true;
            }
            a = b;
        }
        return false;
    }

    void advance(double target) {
        while (mT < target) {
            double when = 0;
            if (mSign == 0) {
                if (!firstTime(
                        mT, target, [&](double t) { return std::fabs(ag(t)) > mMuG; }, when)) {
                    mT = target;
                    return;
                }
                mT = mT0 = when;
                mSign = ag(when) > 0 ? -1 : 1; // the block lags behind the ground
                ++mStarts;
                if (mSign > 0)
                    ++mStartsDownstream;
            } else {
                if (!firstTime(
                        mT, target, [&](double t) { return mSign * slideVelocity(t) <= 0; },
                        when)) {
                    mT = target;
                    return;
                }
                mD0 = slideDisplacement(when);
                mT = when;
                mSign = 0;
            }
        }
    }

    double mA;
    double mW;
    double mMuG;
    double mT = 0;
    double mT0 = 0;
    double mD0 = 0;
    int mSign = 0;
    int mStarts = 0;
    int mStartsDownstream = 0;
};

} // namespace quibel::test
