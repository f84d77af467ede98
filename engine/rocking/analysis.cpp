#include "engine/rocking/analysis.h"

#include "engine/loads/load_model.h"
#include "model/block_properties.h"

#include <cmath>
#include <numbers>

namespace quibel {

namespace {

bool anyHistoryDefined(const TBlocStatic& model) noexcept {
    for (const TimeHistoryRecord& h : model.Histories)
        if (h.Source != HistorySource::Undefined)
            return true;
    return false;
}

double balanceError(double input, double remainder) noexcept {
    if (input == 0.0)
        return 0.0;
    const double error = std::fabs(remainder / input) * 100.0;
    return std::isfinite(error) ? error : 0.0;
}

// Rotation past the critical angle by this much makes the block likely to overturn: pi / 8, rad.
constexpr double kExcessiveRotationMargin = std::numbers::pi / 8.0;

} // namespace

std::vector<RunCheck> RockingAnalysis::check(const TBlocStatic& model) const {
    std::vector<RunCheck> failed;
    // A negative or undefined mass is refused like a zero one: the motion has no meaning.
    if (!(model.M > 0.0))
        failed.push_back({MessageKind::Error, Message("engine.rocking.massless")});
    if (!anyHistoryDefined(model))
        failed.push_back({MessageKind::Error, Message("engine.rocking.no_histories")});
    return failed;
}

std::string_view RockingAnalysis::debugHeader() const noexcept {
    // Nine names head the seven values of the first group (there are no "Iup" and "Idown"
    // values), so the columns after them are shifted against the header, as they always were.
    return "Mass;Xc;Yc;Iup;Rup;TetaUp;Idown;Rdown;TetaDown;"
           "Normal;Hs;Hdr;Hds;Fv;AddedForce.Hor;AddedForce.vert;"
           "MomentUp;MwUp;AddedForce.Moment.Up.Hor;AddedForce.Moment.Up.Vert;MhdrUp;MhdsUp;"
           "MomentDown;MwDown;AddedForce.Moment.Down.Hor;AddedForce.Moment.Down.Vert;MhdrDown;"
           "MhdsDown;r;rp;rpp";
}

void RockingAnalysis::prepare(const RunContext& context) {
    mModel = &context.model;
    TBlocStatic& m = context.model;
    m.ThetaUp = criticalAngle(m.Xc, m.Yc);
    m.ThetaDown = criticalAngle(m.B - m.Xc, m.Yc - m.B * std::tan(radians(m.Beta)));
    mRotationAsked = false;
    mStep = std::make_unique<RockingStep>(context);
}

SafetyFactors RockingAnalysis::restFactors(const StepInput& atStart) const {
    return mStep->restFactors(atStart);
}

void RockingAnalysis::step(const StepInput& input, const BlockMotion& previous, BlockMotion& next,
                           EnergyTerms& energy, SafetyFactors& factors, RunControl& control) {
    mStep->step(input, previous, next, energy, factors, control);
}

void RockingAnalysis::afterStep(const BlockMotion& current, RunControl& control) {
    if (mRotationAsked)
        return;
    const auto motion = static_cast<RockingMotion>(mModel->MotionState);
    const bool beyondHeel = motion == RockingMotion::RockingUp &&
                            current.theta > mModel->ThetaUp + kExcessiveRotationMargin;
    const bool beyondToe = motion == RockingMotion::RockingDown &&
                           current.theta < -mModel->ThetaDown - kExcessiveRotationMargin;
    if (!beyondHeel && !beyondToe)
        return;
    mRotationAsked = true;
    control.ask(RunQuestion{Message("engine.rocking.excessive_rotation"), QuestionButtons::NoOk});
}

EnergyErrors RockingAnalysis::energyErrors(const EnergyTerms& e) const noexcept {
    return {balanceError(e.E0, e.E0 + e.E5 - e.E2 - e.E6 - e.E7),
            balanceError(e.E1, e.E1 + e.E5 - e.E3 - e.E6 - e.E7)};
}

void RockingAnalysis::finish() {
    mStep.reset();
}

} // namespace quibel
