// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/results/animation_dialog.h"

#include "chart/chart_widget.h"
#include "dialog_test_support.h"
#include "result_models.h"
#include "ui/results/animation_scene.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace quibel;
using namespace quibel::test;

namespace {

// The start-up block: 20 m high, 16 m wide, in a 30 m dam, so the heel is at elevation 10 m.
TBlocStatic block(double betaDegrees = 0.0) {
    TBlocStatic m = startupModel();
    m.Beta = betaDegrees;
    setFlag(m.ModelFlags, ModelFlag::GeometryComplete, true);
    return m;
}

AnimationView magnified(double displacement, double rotation) {
    AnimationView v;
    v.displacementFactor = displacement;
    v.rotationFactor = rotation;
    v.plotWidth = 400;
    v.plotHeight = 300;
    return v;
}

std::vector<ScenePoint> blockPoints(const AnimationScene& s) {
    std::vector<ScenePoint> p = s.blockBase.points;
    p.insert(p.end(), s.blockOutline.points.begin(), s.blockOutline.points.end());
    return p;
}

} // namespace

// Turning the block by 10 theta about the heel raises the toe by B sin(10 theta) and leaves
// the heel where it is.
TEST(AnimationSceneTest, HeelRotationLiftsTheToeByTheMagnifiedAngle) {
    const TBlocStatic m = block();
    const double theta = 0.002;
    const AnimationScene s = BuildAnimationScene(m, {0, theta, 0, 0}, magnified(1, 10));
    ASSERT_TRUE(s.drawn);
    const ScenePoint heel = s.blockBase.points[0], toe = s.blockBase.points[1];
    EXPECT_NEAR(heel.x, 0.0, 1e-12);
    EXPECT_NEAR(heel.y, 10.0, 1e-12);
    EXPECT_NEAR(toe.y - 10.0, 16.0 * std::sin(10 * theta), 1e-12);
    EXPECT_NEAR(toe.x, 16.0 * std::cos(10 * theta), 1e-12);
    // The upstream crest corner, 20 m above the heel, swings upstream.
    EXPECT_NEAR(s.blockOutline.points[3].x, -20.0 * std::sin(10 * theta), 1e-12);
}

// Rocking about the toe lifts the heel and leaves the toe in place, on an inclined plane too.
TEST(AnimationSceneTest, ToeRotationLiftsTheHeel) {
    const TBlocStatic m = block(5.0);
    const double tb = std::tan(5.0 * std::numbers::pi / 180.0);
    const AnimationScene s = BuildAnimationScene(m, {0, -0.01, 0, 0}, magnified(1, 1));
    const ScenePoint heel = s.blockBase.points[0], toe = s.blockBase.points[1];
    EXPECT_NEAR(toe.x, 16.0, 1e-12);
    EXPECT_NEAR(toe.y, 10.0 + 16.0 * tb, 1e-12);
    EXPECT_GT(heel.y, 10.0);
    // The base keeps its length.
    EXPECT_NEAR(std::hypot(toe.x - heel.x, toe.y - heel.y),
                16.0 / std::cos(5.0 * std::numbers::pi / 180.0), 1e-9);
}

// A slide of u along a plane inclined at beta moves every corner of the block by
// (u cos beta, u sin beta) times the factor, so the outline keeps its shape; the dam stays.
TEST(AnimationSceneTest, SlidingTranslatesTheBlockAlongThePlane) {
    const TBlocStatic m = block(10.0);
    const double b = 10.0 * std::numbers::pi / 180.0;
    const AnimationScene rest = BuildAnimationScene(m, {}, magnified(50, 10));
    const AnimationScene slid = BuildAnimationScene(m, {0.02, 0, 0, 0}, magnified(50, 10));
    const std::vector<ScenePoint> a = blockPoints(rest), c = blockPoints(slid);
    ASSERT_EQ(a.size(), c.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_NEAR(c[i].x - a[i].x, 50 * 0.02 * std::cos(b), 1e-12) << i;
        EXPECT_NEAR(c[i].y - a[i].y, 50 * 0.02 * std::sin(b), 1e-12) << i;
    }
    for (std::size_t i = 0; i < rest.lowerDam.points.size(); ++i) {
        EXPECT_DOUBLE_EQ(slid.lowerDam.points[i].x, rest.lowerDam.points[i].x);
        EXPECT_DOUBLE_EQ(slid.lowerDam.points[i].y, rest.lowerDam.points[i].y);
    }
}

TEST(AnimationSceneTest, GlobalOriginCarriesDamAndFoundationWithTheGround) {
    const TBlocStatic m = block();
    AnimationView view = magnified(2, 10);
    view.globalOrigin = true;
    const AnimationScene s = BuildAnimationScene(m, {0.01, 0, 0.5, -0.25}, view);
    EXPECT_DOUBLE_EQ(s.foundationLevel, -0.5);
    EXPECT_DOUBLE_EQ(s.lowerDam.points[0].x, 1.0);
    EXPECT_DOUBLE_EQ(s.lowerDam.points[0].y, -0.5);
    EXPECT_NEAR(s.blockBase.points[0].x, 1.0 + 0.02, 1e-12);
    view.globalOrigin = false;
    const AnimationScene local = BuildAnimationScene(m, {0.01, 0, 0.5, -0.25}, view);
    EXPECT_DOUBLE_EQ(local.foundationLevel, 0.0);
    EXPECT_NEAR(local.blockBase.points[0].x, 0.02, 1e-12);
}

// The downstream face of the start-up block falls (20 - 2.4) m over 13.6 m, so it reaches the
// foundation 10 / (17.6 / 13.6) m past the toe; the plot spans 1.2 times the dam height.
TEST(AnimationSceneTest, PlotFramesTheDamAndItsFoot) {
    const AnimationScene s = BuildAnimationScene(block(), {}, magnified(1, 10));
    const double W = 16.0 + 10.0 / (17.6 / 13.6);
    EXPECT_NEAR(s.foot, W, 1e-12);
    EXPECT_DOUBLE_EQ(s.extent, 30.0);
    EXPECT_NEAR(s.rangeLoX, (W - 1.2 * 30.0 * 4.0 / 3.0) / 2.0, 1e-12);
    EXPECT_NEAR(s.rangeHiX, (W + 1.2 * 30.0 * 4.0 / 3.0) / 2.0, 1e-12);
    EXPECT_DOUBLE_EQ(s.rangeLoY, -3.0);
}

TEST(AnimationSceneTest, IncompleteGeometryDrawsNothing) {
    TBlocStatic m = block();
    setFlag(m.ModelFlags, ModelFlag::GeometryComplete, false);
    EXPECT_FALSE(BuildAnimationScene(m, {}, magnified(1, 10)).drawn);

    AnimationDialog dlg(m, Language::English);
    dlg.resize(700, 500);
    dlg.show();
    dlg.DrawScene({0.01, 0.001, 0, 0});
    EXPECT_TRUE(dlg.drawing().displayList().empty());
}

// A constant 0.1 g from rest: the linear-acceleration rule is exact, d = a t² / 2.
TEST(AnimationSceneTest, GroundDisplacementIsIntegratedFromRest) {
    TBlocStatic m = block();
    TimeHistoryRecord& h = m.history(HistoryKind::HorizontalAcceleration);
    h.Source = HistorySource::Sampled;
    h.Times = TVector(21);
    h.Values = TVector(21);
    for (int k = 1; k <= 21; ++k) {
        h.Times->set(k, 0.1 * (k - 1));
        h.Values->set(k, 0.1);
    }
    h.Duration = 2.0;
    const AnimationGroundMotion g = BuildGroundMotion(m, 11, 0.1);
    ASSERT_EQ(g.horizontal.size(), 11u);
    const double a = g.acceleration[5] * m.Options.Gravity;
    EXPECT_NEAR(g.acceleration[5], 0.1, 1e-12);
    EXPECT_DOUBLE_EQ(g.horizontal[0], 0.0);
    EXPECT_NEAR(g.horizontal[10], a * 1.0 * 1.0 / 2.0, 1e-9);
    EXPECT_NEAR(g.horizontal[4], a * 0.4 * 0.4 / 2.0, 1e-9);
    EXPECT_DOUBLE_EQ(g.vertical[10], 0.0);
}

TEST(AnimationDialogTest, PlaybackRunsToTheLastSampleAndStops) {
    const TBlocStatic m = resultModel(AnalysisKind::Rocking, 21, [](ResultSeries s, int k) {
        return s == ResultSeries::Rotation ? 0.0001 * k : 0.0;
    });
    AnimationDialog dlg(m, Language::English);
    dlg.resize(700, 500);
    dlg.show();
    auto* start = child<QPushButton>(dlg, "ButtonStart");
    auto* stop = child<QPushButton>(dlg, "ButtonStop");
    ASSERT_NE(start, nullptr);
    ASSERT_NE(stop, nullptr);
    EXPECT_TRUE(start->isEnabled());
    EXPECT_FALSE(stop->isEnabled());
    EXPECT_FALSE(dlg.drawing().displayList().empty()); // the block at rest

    QSignalSpy ended(&dlg, &AnimationDialog::playbackEnded);
    start->click();
    EXPECT_TRUE(dlg.running());
    EXPECT_FALSE(start->isEnabled());
    EXPECT_TRUE(stop->isEnabled());
    ASSERT_TRUE(ended.wait(10000));
    EXPECT_FALSE(dlg.running());
    EXPECT_EQ(dlg.currentSample(), 21);
    EXPECT_TRUE(start->isEnabled());
    EXPECT_FALSE(stop->isEnabled());
    // The last frame turned the block by 10 x 0.0021 rad about the heel.
    EXPECT_NEAR(dlg.lastScene().blockBase.points[1].y - 10.0, 16.0 * std::sin(0.021), 1e-12);
}

TEST(AnimationDialogTest, StopEndsThePlaybackAtOnce) {
    const TBlocStatic m = resultModel(AnalysisKind::Sliding, 100001);
    AnimationDialog dlg(m, Language::French);
    EXPECT_EQ(child<QPushButton>(dlg, "ButtonStop")->text(), QStringLiteral("Arrêter l'animation"));
    dlg.show();
    dlg.startAnimation();
    QTest::qWait(100);
    EXPECT_TRUE(dlg.running());
    dlg.stopAnimation();
    EXPECT_FALSE(dlg.running());
    EXPECT_LT(dlg.currentSample(), 100001);
}

// A time range that starts after it ends (or after the results) shows nothing and ends.
TEST(AnimationDialogTest, EmptyTimeRangeEndsAtOnce) {
    const TBlocStatic m = resultModel(AnalysisKind::Sliding, 11);
    AnimationDialog dlg(m, Language::English);
    auto* startAt = child<NumericEdit>(dlg, "EditStart");
    ASSERT_NE(startAt, nullptr);
    startAt->setValue(5.0);
    QSignalSpy ended(&dlg, &AnimationDialog::playbackEnded);
    dlg.startAnimation();
    EXPECT_EQ(ended.count(), 1);
    EXPECT_FALSE(dlg.running());
}

// Without a horizontal record the acceleration is 0 throughout: the chart still has a range
// around it instead of one of no height.
TEST(AnimationDialogTest, ConstantAccelerationIsDrawnInsideItsChart) {
    const TBlocStatic m = resultModel(AnalysisKind::Sliding, 11);
    AnimationDialog dlg(m, Language::English);
    EXPECT_DOUBLE_EQ(dlg.accelerationChart().RangeLoY(), -1.0);
    EXPECT_DOUBLE_EQ(dlg.accelerationChart().RangeHiY(), 1.0);
    EXPECT_DOUBLE_EQ(dlg.accelerationChart().RangeLoX(), 0.0);
    EXPECT_NEAR(dlg.accelerationChart().RangeHiX(), 0.1, 1e-12);
    EXPECT_EQ(dlg.accelerationChart().crossHair(1).Mode, CrossHairMode::Vertical);
    EXPECT_EQ(dlg.accelerationChart().crossHair(1).Color, QColor(Qt::red));
}

// Samples every 0.01 s: half a second of playback is 50 samples at real time, 200 at 4x and
// 12 (12.5 rounded down) at a quarter of it.
TEST(AnimationDialogTest, SpeedScalesTheSamplesPlayedPerSecond) {
    struct Case {
        double speed;
        int due;
    } cases[] = {{1.0, 51}, {4.0, 201}, {0.25, 13}, {8.0, 401}};
    for (const Case& c : cases)
        EXPECT_EQ(AnimationDueSample(1, 0.5, c.speed, 0.01), c.due) << c.speed;

    const TBlocStatic m = resultModel(AnalysisKind::Rocking, 21);
    AnimationDialog dlg(m, Language::French);
    auto* box = child<QComboBox>(dlg, "SpeedBox");
    ASSERT_NE(box, nullptr);
    ASSERT_EQ(box->count(), 6);
    EXPECT_EQ(box->itemText(0), QStringLiteral("0.25×"));
    EXPECT_EQ(box->itemText(5), QStringLiteral("8×"));
    EXPECT_EQ(dlg.speed(), 1.0);
    box->setCurrentIndex(4);
    EXPECT_EQ(dlg.speed(), 4.0);
    EXPECT_EQ(child<QLabel>(dlg, "LabelTimeReadout")->text(), QStringLiteral("t = 0.000 s"));

    QSignalSpy ended(&dlg, &AnimationDialog::playbackEnded);
    dlg.startAnimation();
    ASSERT_TRUE(ended.wait(10000));
    // The last of 21 samples lies at 0.2 s.
    EXPECT_EQ(child<QLabel>(dlg, "LabelTimeReadout")->text(), QStringLiteral("t = 0.200 s"));
}
