#include "engine/sliding_rocking/analysis.h"

#include "model/block_properties.h"

#include <cmath>

namespace quibel {

namespace {

/// pi / 8: how far beyond its critical angle a rotation may go before the question is asked.
constexpr double kRotationMargin = 0.39269908169872415;

double balanceError(double input, double balance) noexcept {
    if (input == 0.0)
        return 0.0;
    return std::fabs(balance / input) * 100.0;
}

} // namespace

ResultSeriesSet SlidingRockingAnalysis::filledSeries() const noexcept {
    return seriesFilledBy(AnalysisKind::SlidingAndRocking);
}

std::string_view SlidingRockingAnalysis::debugHeader() const noexcept {
    return "Mass;Xc;Yc;Iup;Rup;TetaUp;Idown;Rdown;TetaDown;"
           "Load;Resistance;Normal;Hs;Hdr;Hds;Fv;AddedForce.Hor;AddedForce.vert;"
           "MomentUp;MwUp;AddedForce.Moment.Up.Hor;AddedForce.Moment.Up.Vert;MhdrUp;MhdsUp;"
           "MomentDown;MwDown;AddedForce.Moment.Down.Hor;AddedForce.Moment.Down.Vert;MhdrDown;"
           "MhdsDown;"
           "Ia;Ir;W;Ka;Kr;D;F;P;EBEa;EBEr;s;sp;spp;r;rp;rpp;state";
}

void SlidingRockingAnalysis::prepare(const RunContext& context) {
    mModel = &context.model;
    mStep.emplace(context);
    mEnergyZeroed = context.model.Options.Translational == 0;
    mRotationAsked = false;
    mAngles = criticalAngles(context.model);
}

void SlidingRockingAnalysis::step(const StepInput& input, const BlockMotion& previous,
                                  BlockMotion& next, EnergyTerms& energy, SafetyFactors& factors,
                                  RunControl& control) {
    mStep->step(input, previous, next, energy, factors, control);
    if (mEnergyZeroed)
        energy = EnergyTerms{};
}

void SlidingRockingAnalysis::afterStep(const BlockMotion& current, RunControl& control) {
    if (mRotationAsked)
        return;
    const MotionMode mode = mStep->mode();
    const char* key = nullptr;
    if (isHeelMode(mode) && current.theta > mAngles.up + kRotationMargin)
        key = "engine.sliding_rocking.excessive_upstream";
    else if (isToeMode(mode) && current.theta < -mAngles.down - kRotationMargin)
        key = "engine.sliding_rocking.excessive_downstream";
    if (!key)
        return;
    mRotationAsked = true;
    control.ask({Message(key), QuestionButtons::NoOk});
}

EnergyErrors SlidingRockingAnalysis::energyErrors(const EnergyTerms& e) const noexcept {
    const double spent = e.E6 + e.E7 + e.E4;
    return {balanceError(e.E0, e.E0 + e.E5 - e.E2 - spent),
            balanceError(e.E1, e.E1 + e.E5 - e.E3 - spent)};
}

void SlidingRockingAnalysis::finish() {
    if (mModel) {
        mModel->ThetaUp = mAngles.up;
        mModel->ThetaDown = mAngles.down;
    }
    mStep.reset();
}

} // namespace quibel
