#include "engine/sliding_rocking/analysis.h"

#include "model/block_properties.h"

#include <cmath>

namespace quibel {

namespace {

/// pi / 8: how far beyond its critical angle a rotation may go before the question is asked.
constexpr double kRotationMargin = 0.39269908169872415;

bool anyHistoryDefined(const TBlocStatic& model) noexcept {
    for (const TimeHistoryRecord& h : model.Histories)
        if (h.Source != HistorySource::Undefined)
            return true;
    return false;
}

double balanceError(double input, double balance) noexcept {
    if (input == 0.0)
        return 0.0;
    return std::fabs(balance / input) * 100.0;
}

} // namespace

std::vector<RunCheck> SlidingRockingAnalysis::check(const TBlocStatic& model) const {
    std::vector<RunCheck> failed;
    // A negative or undefined mass is refused like a zero one: the motion has no meaning.
    if (!(model.M > 0.0))
        failed.push_back({MessageKind::Error, Message("engine.sliding_rocking.massless")});
    if (!anyHistoryDefined(model))
        failed.push_back({MessageKind::Error, Message("engine.sliding_rocking.no_histories")});
    return failed;
}

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
    mDebug = context.debug;
    mContext.emplace(context.model, context.loads);
    mFlags = SlidingRockingRunFlags{};
    mEnergyZeroed = context.model.Options.Translational == 0;
    mRotationAsked = false;
    TBlocStatic& m = context.model;
    const double tanBeta = std::tan(radians(m.Beta));
    m.ThetaUp = criticalAngle(m.Xc, m.Yc);
    m.ThetaDown = criticalAngle(m.B - m.Xc, m.Yc - m.B * tanBeta);
}

void SlidingRockingAnalysis::step(const StepInput& input, const BlockMotion& previous,
                                  BlockMotion& next, EnergyTerms& energy, SafetyFactors& factors,
                                  RunControl& control) {
    SlidingRockingStep(*mContext, mFlags, input, previous, next, energy, factors, control, mDebug);
    if (mEnergyZeroed)
        energy = EnergyTerms{};
    mModel->MotionState = static_cast<std::uint8_t>(mFlags.mode);
    mModel->AddedMassW = mFlags.addedMassW;
    mModel->HydroThrust = mFlags.hydroThrust;
}

SafetyFactors SlidingRockingAnalysis::restFactors(const StepInput& atStart) const {
    // Nothing is shown or asked here: the real first step asks its questions itself.
    SilentRunHost host;
    RunControl control(host);
    SlidingRockingRunFlags flags = mFlags;
    BlockMotion next;
    EnergyTerms energy;
    SafetyFactors factors;
    SlidingRockingStep(*mContext, flags, atStart, BlockMotion{}, next, energy, factors, control,
                       nullptr);
    return factors;
}

void SlidingRockingAnalysis::afterStep(const BlockMotion& current, RunControl& control) {
    if (mRotationAsked)
        return;
    const MotionMode mode = mFlags.mode;
    const char* key = nullptr;
    if (isHeelMode(mode) && current.theta > mModel->ThetaUp + kRotationMargin)
        key = "engine.sliding_rocking.excessive_upstream";
    else if (isToeMode(mode) && current.theta < -mModel->ThetaDown - kRotationMargin)
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
    if (mModel && mContext)
        mContext->pivots.storeDistances(*mModel, mFlags.heelU, mFlags.toeU);
    mContext.reset();
}

} // namespace quibel
