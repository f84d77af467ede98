// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/project_record.h"
#include "texts/text_catalogue.h"
#include "ui/results/animation_scene.h"

#include <QDialog>
#include <QElapsedTimer>

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTimer;

namespace quibel {

class NumericEdit;
class ChartWidget;

/// The playback speeds offered, times real time.
inline constexpr double kAnimationSpeeds[] = {0.25, 0.5, 1.0, 2.0, 4.0, 8.0};

/// The sample a frame shows elapsed seconds after the clock started at sample from, played at
/// speed times real time with interval seconds between samples.
int AnimationDueSample(int from, double elapsed, double speed, double interval) noexcept;

/// The animation of the last analysis: the lower part of the dam and the block, displaced by
/// its sliding and turned by its rocking (both magnified), optionally carried by the ground,
/// over a chart of the horizontal base acceleration whose red cursor follows the time shown.
///
/// Playback shows about 30 frames a second from a timer, so the window stays responsive: a
/// frame shows the sample of the time elapsed since the start (at least the next sample), so
/// the animation lasts about as long as the record, or less when the samples are far apart.
/// It ends after the last sample of the time range (or of the results), or on "Stop
/// Animation"; "Close" ends it and closes the window. The speed (0.25 to 8 times real time)
/// may change while it plays; the time shown is read out under the buttons.
class AnimationDialog final : public QDialog {
    Q_OBJECT
public:
    /// model must outlive the window; the ground motion is built here.
    AnimationDialog(const TBlocStatic& model, Language language, QWidget* parent = nullptr);
    ~AnimationDialog() override;

    void startAnimation();
    void stopAnimation();
    void showHelpPage();
    /// Plays at speed times real time from now on.
    void setSpeed(double speed);
    double speed() const noexcept { return mSpeed; }

    /// Draws the scene of frame on the drawing chart (nothing when the geometry is incomplete).
    void DrawScene(const AnimationFrame& frame);

    bool running() const noexcept { return mRunning; }
    /// The sample the last frame showed (1-based; 0 before the first frame).
    int currentSample() const noexcept { return mSample; }
    int samples() const noexcept { return mSamples; }
    const AnimationGroundMotion& groundMotion() const noexcept { return mGround; }
    const AnimationScene& lastScene() const noexcept { return mScene; }
    ChartWidget& drawing() const noexcept { return *mCADDraw; }
    ChartWidget& accelerationChart() const noexcept { return *mAccChart; }

signals:
    /// The playback has ended (last sample, Stop or Close).
    void playbackEnded();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void reject() override;

private:
    void drawAcceleration();
    void nextFrame();
    void endPlayback();
    void showTime();
    AnimationView view() const;

    const TBlocStatic& mModel;
    Language mLanguage;
    int mSamples = 0;
    double mInterval = 0.01; ///< s between two samples
    AnimationGroundMotion mGround;
    AnimationScene mScene;
    bool mRunning = false;
    int mSample = 0;
    int mFirstSample = 1;
    int mLastSample = 1;
    QElapsedTimer mClock;
    QTimer* mTimer = nullptr;
    double mSpeed = 1.0;
    int mClockSample = 1; ///< the sample shown when the clock was started
    QComboBox* mSpeedBox = nullptr;
    QLabel* mTimeReadout = nullptr;

    NumericEdit* mEditDispFactor = nullptr;
    NumericEdit* mEditRotFactor = nullptr;
    NumericEdit* mEditStart = nullptr;
    NumericEdit* mEditEnd = nullptr;
    QRadioButton* mGlobal = nullptr;
    QRadioButton* mLocal = nullptr;
    QPushButton* mButtonStart = nullptr;
    QPushButton* mButtonStop = nullptr;
    ChartWidget* mCADDraw = nullptr;
    ChartWidget* mAccChart = nullptr;
};

} // namespace quibel
