// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/results/animation_dialog.h"

#include "chart/chart_series.h"
#include "chart/chart_widget.h"
#include "engine/run/run_length.h"
#include "ui/widgets/help_topics.h"
#include "ui/widgets/help_window.h"
#include "ui/widgets/numeric_edit.h"
#include "ui/widgets/ui_text.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace quibel {

namespace {

constexpr int kFrameMilliseconds = 33; // about 30 frames a second

QColor colourOf(SceneColour c) {
    switch (c) {
    case SceneColour::Red:
        return Qt::red;
    case SceneColour::Maroon:
        return QColor(128, 0, 0);
    case SceneColour::Black:
        break;
    }
    return Qt::black;
}

void drawPath(ChartWidget& chart, const ScenePath& path) {
    if (path.points.empty())
        return;
    chart.setDataColor(colourOf(path.colour));
    chart.moveTo(path.points.front().x, path.points.front().y);
    for (std::size_t i = 1; i < path.points.size(); ++i)
        chart.drawTo(path.points[i].x, path.points[i].y);
}

} // namespace

AnimationDialog::AnimationDialog(const TBlocStatic& model, Language language, QWidget* parent)
    : QDialog(parent), mModel(model), mLanguage(language), mSamples(AnimationSamples(model)),
      mInterval(SampleInterval(model.Options)),
      mGround(BuildGroundMotion(model, mSamples, mInterval)) {
    setObjectName(QStringLiteral("AnimationDialog"));
    setWindowTitle(uiText(language, "ui.animation.caption"));
    setMinimumSize(500, 450);
    resize(760, 560);
    auto t = [language](const char* key) { return uiText(language, key); };
    auto label = [this](const char* name, const QString& text) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QLatin1String(name));
        return l;
    };
    auto edit = [this, language](const char* name, double value, double lo, double hi,
                                 const QString& mask) {
        auto* e = new NumericEdit(this);
        e->setObjectName(QLatin1String(name));
        e->setLanguage(language);
        e->setDecimals(3);
        e->setDisplayMask(mask);
        e->setRange(lo, hi);
        e->setValue(value);
        return e;
    };
    const QString factorMask = t("ui.animation.factor_mask");
    const QString timeMask = t("ui.animation.time_mask");
    const double lastTime = std::max(mSamples - 1, 0) * mInterval;

    auto* factors = new QGroupBox(t("ui.animation.magnification"), this);
    factors->setObjectName(QStringLiteral("GroupBoxFactor"));
    auto* factorGrid = new QGridLayout(factors);
    mEditDispFactor = edit("EditDispFactor", 1, 1, 10000, factorMask);
    mEditRotFactor = edit("EditRotFactor", 10, 1, 10000, factorMask);
    factorGrid->addWidget(label("LabelFactor", t("ui.animation.displacements")), 0, 0);
    factorGrid->addWidget(mEditDispFactor, 0, 1);
    factorGrid->addWidget(label("RotationFactorLabel", t("ui.animation.rotations")), 1, 0);
    factorGrid->addWidget(mEditRotFactor, 1, 1);

    auto* times = new QGroupBox(t("ui.animation.time_range"), this);
    times->setObjectName(QStringLiteral("GroupBoxTime"));
    auto* timeGrid = new QGridLayout(times);
    mEditStart = edit("EditStart", 0, 0, 1e9, timeMask);
    mEditEnd = edit("EditEnd", lastTime, 0, 1e9, timeMask);
    timeGrid->addWidget(label("LabelStart", t("ui.animation.start_at")), 0, 0);
    timeGrid->addWidget(mEditStart, 0, 1);
    timeGrid->addWidget(label("LabelEnd", t("ui.animation.end_at")), 1, 0);
    timeGrid->addWidget(mEditEnd, 1, 1);

    auto* origin = new QGroupBox(t("ui.animation.origin"), this);
    origin->setObjectName(QStringLiteral("RadioGroupOrigin"));
    auto* originBox = new QVBoxLayout(origin);
    mGlobal = new QRadioButton(t("ui.animation.global"), origin);
    mGlobal->setObjectName(QStringLiteral("RadioGlobal"));
    mLocal = new QRadioButton(t("ui.animation.local"), origin);
    mLocal->setObjectName(QStringLiteral("RadioLocal"));
    mLocal->setChecked(true);
    originBox->addWidget(mGlobal);
    originBox->addWidget(mLocal);

    mButtonStart = new QPushButton(t("ui.animation.start"), this);
    mButtonStart->setObjectName(QStringLiteral("ButtonStart"));
    mButtonStop = new QPushButton(t("ui.animation.stop"), this);
    mButtonStop->setObjectName(QStringLiteral("ButtonStop"));
    mButtonStop->setEnabled(false);
    auto* close = new QPushButton(t("ui.animation.close"), this);
    close->setObjectName(QStringLiteral("ButtonClose"));
    auto* help = new QPushButton(t("ui.animation.help"), this);
    help->setObjectName(QStringLiteral("HelpBtn"));

    mSpeedBox = new QComboBox(this);
    mSpeedBox->setObjectName(QStringLiteral("SpeedBox"));
    for (double s : kAnimationSpeeds)
        mSpeedBox->addItem(QStringLiteral("%1\u00d7").arg(s), s);
    mSpeedBox->setCurrentIndex(2);
    auto* speedRow = new QHBoxLayout;
    speedRow->addWidget(label("LabelSpeed", t("large.animation_speed")));
    speedRow->addWidget(mSpeedBox, 1);
    mTimeReadout = label("LabelTimeReadout", QString());

    auto* controls = new QVBoxLayout;
    controls->addWidget(factors);
    controls->addWidget(times);
    controls->addWidget(origin);
    controls->addWidget(mButtonStart);
    controls->addWidget(mButtonStop);
    controls->addLayout(speedRow);
    controls->addWidget(mTimeReadout);
    controls->addStretch(1);
    controls->addWidget(close);
    controls->addWidget(help);

    mCADDraw = new ChartWidget(this);
    mCADDraw->setObjectName(QStringLiteral("CADDraw"));
    mCADDraw->setXAxisPos(XAxisPosition::Both);
    mCADDraw->setYAxisPos(YAxisPosition::Both);
    mCADDraw->setGridStyle(GridStyle::None);
    mCADDraw->setIsometric(true);
    mAccChart = new ChartWidget(this);
    mAccChart->setObjectName(QStringLiteral("AccChart"));
    mAccChart->setIdAbscissa(t("ui.animation.axis_time"));
    mAccChart->setIdOrdinate(t("ui.animation.axis_acceleration"));
    mAccChart->setGridStyle(GridStyle::DotLines);
    mAccChart->setGridColor(QColor(192, 192, 192));
    CrossHair cursor = mAccChart->crossHair(1);
    cursor.Mode = CrossHairMode::Vertical;
    cursor.Color = Qt::red;
    cursor.LineType = Qt::SolidLine;
    cursor.FollowsMouse = false;
    mAccChart->setCrossHair(1, cursor);
    mAccChart->setMinimumHeight(120);

    auto* charts = new QVBoxLayout;
    charts->addWidget(mCADDraw, 3);
    charts->addWidget(mAccChart, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(controls);
    layout->addLayout(charts, 1);

    mTimer = new QTimer(this);
    mTimer->setInterval(kFrameMilliseconds);
    connect(mTimer, &QTimer::timeout, this, &AnimationDialog::nextFrame);
    connect(mButtonStart, &QPushButton::clicked, this, &AnimationDialog::startAnimation);
    connect(mButtonStop, &QPushButton::clicked, this, &AnimationDialog::stopAnimation);
    connect(mSpeedBox, &QComboBox::currentIndexChanged, this,
            [this](int i) { setSpeed(mSpeedBox->itemData(i).toDouble()); });
    connect(close, &QPushButton::clicked, this, &AnimationDialog::reject);
    connect(help, &QPushButton::clicked, this, &AnimationDialog::showHelpPage);

    drawAcceleration();
    showTime();
}

AnimationDialog::~AnimationDialog() = default;

int AnimationDueSample(int from, double elapsed, double speed, double interval) noexcept {
    return from + static_cast<int>(std::floor(elapsed * speed / interval + 1e-9));
}

void AnimationDialog::setSpeed(double speed) {
    if (!(speed > 0.0))
        return;
    // The clock starts again from the sample on screen, so the picture never jumps.
    if (mRunning) {
        mClockSample = mSample;
        mClock.restart();
    }
    mSpeed = speed;
    for (int i = 0; i < mSpeedBox->count(); ++i)
        if (mSpeedBox->itemData(i).toDouble() == speed && mSpeedBox->currentIndex() != i)
            mSpeedBox->setCurrentIndex(i);
}

void AnimationDialog::showTime() {
    const double time = std::max(mSample - 1, 0) * mInterval;
    mTimeReadout->setText(uiText(mLanguage, "large.animation_time", {fixedNumber(time, 0, 3)}));
}

AnimationView AnimationDialog::view() const {
    AnimationView v;
    v.displacementFactor = mEditDispFactor->value();
    v.rotationFactor = mEditRotFactor->value();
    v.globalOrigin = mGlobal->isChecked();
    const ChartScale& scale = mCADDraw->scale();
    v.plotWidth = scale.plotWidth();
    v.plotHeight = scale.plotHeight();
    return v;
}

void AnimationDialog::drawAcceleration() {
    ChartWidget& c = *mAccChart;
    const std::vector<double>& a = mGround.acceleration;
    c.setRangeLoX(0.0);
    c.setRangeHiX(mSamples > 1 ? (mSamples - 1) * mInterval : mInterval);
    if (!a.empty()) {
        const auto [lo, hi] = std::minmax_element(a.begin(), a.end());
        // A record that never changes (none at all gives 0) is drawn in the middle of the plot.
        const double spread = *hi > *lo ? 0.0 : 1.0;
        c.setRangeLoY(*lo - spread);
        c.setRangeHiY(*hi + spread);
    }
    c.clearGraph();
    c.setDataColor(Qt::black);
    c.setLineWidth(1);
    c.setPenStyle(Qt::SolidLine);
    // The window keeps the ground motion for as long as its chart shows it.
    c.drawSeries(std::make_shared<const ChartSeries>(SeriesSamples{0.0, mInterval, a}));
    c.showGraph();
}

void AnimationDialog::DrawScene(const AnimationFrame& frame) {
    mScene = BuildAnimationScene(mModel, frame, view());
    if (!mScene.drawn)
        return;
    ChartWidget& c = *mCADDraw;
    c.setIsometric(true);
    c.setRangeLoX(mScene.rangeLoX);
    c.setRangeHiX(mScene.rangeHiX);
    c.setRangeLoY(mScene.rangeLoY);
    c.clearGraph();
    c.setLineWidth(1);
    c.setPenStyle(Qt::SolidLine);
    drawPath(c, mScene.lowerDam);
    drawPath(c, mScene.blockBase);
    drawPath(c, mScene.blockOutline);
    // The foundation line across the plot, hatched underneath every 10 pixels.
    c.setDataColor(colourOf(SceneColour::Maroon));
    const double lo = c.RangeLoX(), hi = c.RangeHiX();
    c.line(lo, mScene.foundationLevel, hi, mScene.foundationLevel);
    c.moveTo(lo, mScene.foundationLevel);
    const int hatches = c.DataToPixel(hi, mScene.foundationLevel).x() / 10;
    for (int k = 0; k < hatches; ++k) {
        c.moveBy(2, 0);
        c.drawBy(8, 8);
        c.moveBy(0, -8);
    }
    c.showGraph();
}

void AnimationDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (!mRunning)
        DrawScene({});
}

void AnimationDialog::startAnimation() {
    if (mRunning)
        return;
    mFirstSample = static_cast<int>(std::lround(mEditStart->value() / mInterval + 1.0));
    mLastSample =
        std::min(mSamples, static_cast<int>(std::lround(mEditEnd->value() / mInterval + 1.0)));
    mSample = mFirstSample;
    mClockSample = mFirstSample;
    mRunning = true;
    mButtonStart->setEnabled(false);
    mButtonStop->setEnabled(true);
    mClock.start();
    if (mSample >= mLastSample)
        endPlayback();
    else
        mTimer->start();
}

void AnimationDialog::nextFrame() {
    if (!mRunning)
        return;
    // The sample of the time elapsed since the start, and never the same sample twice.
    const auto elapsed = static_cast<double>(mClock.elapsed()) / 1000.0;
    const int due = AnimationDueSample(mClockSample, elapsed, mSpeed, mInterval);
    mSample = std::min(std::max(mSample + 1, due), mLastSample);
    showTime();
    mAccChart->setCrossHairPos(1, (mSample - 1) * mInterval, 0.0);
    mAccChart->update();
    DrawScene(AnimationFrameAt(mModel, mGround, mSample));
    if (mSample >= mLastSample)
        endPlayback();
}

void AnimationDialog::stopAnimation() {
    if (mRunning)
        endPlayback();
}

void AnimationDialog::endPlayback() {
    mTimer->stop();
    mRunning = false;
    mButtonStart->setEnabled(true);
    mButtonStop->setEnabled(false);
    drawAcceleration();
    emit playbackEnded();
}

void AnimationDialog::reject() {
    if (mRunning)
        endPlayback();
    QDialog::reject();
}

void AnimationDialog::showHelpPage() {
    showHelp(this, mLanguage, HelpContext::Animation);
}

} // namespace quibel
