// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/results/animation_scene.h"

#include "model/model_flags.h"
#include "signals/history_value.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quibel {

namespace {

struct Polar {
    double r; ///< length
    double a; ///< rad, counter-clockwise from the downstream horizontal
};

} // namespace

AnimationScene BuildAnimationScene(const TBlocStatic& model, const AnimationFrame& frame,
                                   const AnimationView& view) {
    AnimationScene s;
    if (!hasFlag(model.ModelFlags, ModelFlag::GeometryComplete))
        return s;
    s.drawn = true;
    const double H = model.H, Hd = model.Hd, B = model.B;
    const double beta = model.Beta * std::numbers::pi / 180.0;
    const double tb = std::tan(beta);
    const double h0 = Hd - H;
    const double fd = view.displacementFactor, fr = view.rotationFactor;

    const double ox = view.globalOrigin ? fd * frame.groundHorizontal : 0.0;
    const double oy = view.globalOrigin ? fd * frame.groundVertical : 0.0;
    const double bx = fd * frame.sliding * std::cos(beta) + ox;
    const double by = fd * frame.sliding * std::sin(beta) + oy;

    // The downstream face falls from (0.15 B, Hd - 0.15 B) to the toe and on to the foundation.
    // A face that does not fall (slope 0 or negative) would never reach it: the foot is then
    // put under the toe.
    const double slope = (H - 0.15 * B - B * tb) / (0.85 * B);
    double W = B + (h0 + B * tb) / slope;
    if (!(slope > 0.0) || !std::isfinite(W))
        W = B;
    const double E = std::max({model.Hr, H - std::min(B * tb, 0.0), Hd, W});
    s.extent = E;
    s.foot = W;

    const double aspect = static_cast<double>(std::max(view.plotWidth, 1)) /
                          static_cast<double>(std::max(view.plotHeight, 1));
    s.rangeLoX = (W - 1.2 * E * aspect) / 2.0;
    s.rangeHiX = (W + 1.2 * E * aspect) / 2.0;
    s.rangeLoY = -0.1 * E;
    s.foundationLevel = oy;

    s.lowerDam.colour = SceneColour::Black;
    for (ScenePoint p : {ScenePoint{0, 0}, ScenePoint{W, 0}, ScenePoint{B, h0 + B * tb},
                         ScenePoint{0, h0}, ScenePoint{0, 0}})
        s.lowerDam.points.push_back({p.x + ox, p.y + oy});

    // Corners: heel, toe, start of the downstream slope, downstream and upstream crest corners.
    const ScenePoint corners[5] = {
        {0, h0}, {B, h0 + B * tb}, {0.15 * B, Hd - 0.15 * B}, {0.15 * B, Hd}, {0, Hd}};
    Polar polar[5] = {};
    if (frame.rotation > 0.0) {
        const double c = 0.15 * B;
        polar[0] = {0.0, 0.0};
        polar[1] = {B / std::cos(beta), beta};
        polar[2] = {std::hypot(H - c, c), std::atan2(H - c, c)};
        polar[3] = {std::hypot(H, c), std::atan2(H, c)};
        polar[4] = {H, std::numbers::pi / 2};
    } else if (frame.rotation < 0.0) {
        const double d = -0.85 * B;
        polar[0] = {B / std::cos(beta), beta + std::numbers::pi};
        polar[1] = {0.0, 0.0};
        polar[2] = {std::hypot(H - 0.15 * B - B * tb, d), std::atan2(H - 0.15 * B - B * tb, d)};
        polar[3] = {std::hypot(H - B * tb, d), std::atan2(H - B * tb, d)};
        polar[4] = {std::hypot(H - B * tb, B), std::atan2(H - B * tb, -B)};
    }
    ScenePoint moved[5];
    const double turn = fr * frame.rotation;
    for (int k = 0; k < 5; ++k) {
        const Polar& p = polar[k];
        const double dx = p.r * (std::cos(p.a + turn) - std::cos(p.a));
        const double dy = p.r * (std::sin(p.a + turn) - std::sin(p.a));
        moved[k] = {corners[k].x + bx + dx, corners[k].y + by + dy};
    }
    s.blockBase = {SceneColour::Red, {moved[0], moved[1]}};
    s.blockOutline = {SceneColour::Black, {moved[1], moved[2], moved[3], moved[4], moved[0]}};
    return s;
}

AnimationGroundMotion BuildGroundMotion(const TBlocStatic& model, int samples, double interval) {
    AnimationGroundMotion g;
    const auto n = static_cast<std::size_t>(std::max(samples, 0));
    g.acceleration.resize(n);
    g.horizontal.resize(n);
    g.vertical.resize(n);
    const HistoryEvaluator horizontal(model.history(HistoryKind::HorizontalAcceleration));
    const HistoryEvaluator vertical(model.history(HistoryKind::VerticalAcceleration));
    const double gravity = model.Options.Gravity;
    const double dt = interval;
    double ah = 0, vh = 0, av = 0, vv = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) * dt;
        const double accel = horizontal.value(t);
        const double ahNew = accel * gravity;
        const double avNew = vertical.value(t) * gravity;
        g.acceleration[i] = accel;
        if (i > 0) {
            g.horizontal[i] =
                g.horizontal[i - 1] + dt * vh + dt * dt * ah / 2.0 + dt * dt * (ahNew - ah) / 6.0;
            g.vertical[i] =
                g.vertical[i - 1] + dt * vv + dt * dt * av / 2.0 + dt * dt * (avNew - av) / 6.0;
            vh += dt * ah + dt * (ahNew - ah) / 2.0;
            vv += dt * av + dt * (avNew - av) / 2.0;
        }
        ah = ahNew;
        av = avNew;
    }
    return g;
}

int AnimationSamples(const TBlocStatic& model) noexcept {
    const std::optional<TVector>& s =
        model.AnalysisKind == AnalysisKind::Rocking ? model.Rotation : model.SlidingDisp;
    return s ? s->size() : 0;
}

AnimationFrame AnimationFrameAt(const TBlocStatic& model, const AnimationGroundMotion& ground,
                                int i) noexcept {
    AnimationFrame f;
    auto at = [i](const std::optional<TVector>& s) { return s ? s->get(i) : 0.0; };
    if (model.AnalysisKind != AnalysisKind::Rocking)
        f.sliding = at(model.SlidingDisp);
    if (model.AnalysisKind != AnalysisKind::Sliding)
        f.rotation = at(model.Rotation);
    if (i >= 1 && i <= static_cast<int>(ground.horizontal.size())) {
        f.groundHorizontal = ground.horizontal[static_cast<std::size_t>(i - 1)];
        f.groundVertical = ground.vertical[static_cast<std::size_t>(i - 1)];
    }
    return f;
}

} // namespace quibel
