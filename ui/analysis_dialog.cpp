#include "ui/analysis_dialog.h"

#include "numeric/error.h"
#include "reporting/run_status_text.h"
#include "ui/application_state.h"
#include "ui/ui_text.h"
#include "ui/user_prompts.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

namespace quibel {

namespace {
QLabel* makeLabel(QWidget* parent, const char* name, bool bold = false) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    if (bold) {
        QFont f = label->font();
        f.setBold(true);
        label->setFont(f);
    }
    return label;
}
} // namespace

TAnalysisDlg::TAnalysisDlg(ApplicationState& state, UserPrompts& prompts, QWidget* parent,
                           AnalysisStepFactory stepFactory)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      mState(state), mPrompts(prompts), mStepFactory(std::move(stepFactory)) {
    setObjectName(QStringLiteral("AnalysisDlg"));
    setModal(true);

    mLabel1 = makeLabel(this, "Label1", true);
    mProgressBar = new QProgressBar(this);
    mProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    mProgressBar->setRange(0, RunHost::kProgressMaximum);
    mProgressBar->setValue(0);
    mProgressBar->setTextVisible(false);
    mLabel2 = makeLabel(this, "Label2");
    mLabelTime = makeLabel(this, "LabelTime");

    auto* group = new QGroupBox(this);
    group->setObjectName(QStringLiteral("GroupBox"));
    QFont bold = group->font();
    bold.setBold(true);
    group->setFont(bold);
    mLabelTimeStep = makeLabel(group, "LabelTimeStep");
    mLabel4 = makeLabel(group, "Label4");
    mLabelSliding = makeLabel(group, "LabelSliding");
    mLabel6 = makeLabel(group, "Label6");
    mLabelRocking = makeLabel(group, "LabelRocking");
    mLabel15 = makeLabel(group, "Label15");
    mLabel7 = makeLabel(group, "Label7");
    mLabel8 = makeLabel(group, "Label8");
    mLabel9 = makeLabel(group, "Label9");
    mLabel10 = makeLabel(group, "Label10");
    // The group's title is bold; its contents are not (the weight is set explicitly, or the
    // labels would inherit the group's).
    QFont normal = font();
    normal.setBold(false);
    for (QLabel* l : {mLabelTimeStep, mLabel4, mLabelSliding, mLabel6, mLabelRocking, mLabel15,
                      mLabel7, mLabel8, mLabel9, mLabel10})
        l->setFont(normal);
    for (QLabel* l : {mLabel4, mLabel6, mLabel15, mLabel8, mLabel10})
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Room for the widest values the formats give, so that the captions keep theirs.
    const QFontMetrics metrics(normal);
    mLabel4->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("  9999.999 sec")));
    mLabel6->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("-9999.9999999 mm")));
    mLabel15->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("-0.0000000000 rad")));
    mLabel8->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("  9999.999 %")));
    mLabel10->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("  9999.999 %")));
    auto* grid = new QGridLayout(group);
    grid->addWidget(mLabelTimeStep, 0, 0);
    grid->addWidget(mLabel4, 0, 1);
    grid->addWidget(mLabelSliding, 1, 0);
    grid->addWidget(mLabel6, 1, 1);
    grid->addWidget(mLabelRocking, 2, 0);
    grid->addWidget(mLabel15, 2, 1);
    grid->addWidget(mLabel7, 3, 0);
    grid->addWidget(mLabel8, 3, 1);
    grid->addWidget(mLabel9, 4, 0);
    grid->addWidget(mLabel10, 4, 1);

    auto* bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("Bevel"));
    bevel->setFrameShape(QFrame::Panel);
    bevel->setFrameShadow(QFrame::Sunken);
    mLabel11 = makeLabel(bevel, "Label11", true);
    mLabel12 = makeLabel(bevel, "Label12");
    mLabel13 = makeLabel(bevel, "Label13");
    auto* bevelLayout = new QVBoxLayout(bevel);
    bevelLayout->addWidget(mLabel11);
    bevelLayout->addWidget(mLabel12);
    bevelLayout->addWidget(mLabel13);

    mButton = new QPushButton(this);
    mButton->setObjectName(QStringLiteral("Button"));
    mButton->setDefault(true);
    mButton->setAutoDefault(true);
    connect(mButton, &QPushButton::clicked, this, &TAnalysisDlg::ButtonClick);

    auto* timeRow = new QHBoxLayout;
    timeRow->addWidget(mLabel2);
    timeRow->addWidget(mLabelTime, 1);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(mButton);
    buttonRow->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(mLabel1);
    layout->addWidget(mProgressBar);
    layout->addLayout(timeRow);
    layout->addWidget(group);
    layout->addWidget(bevel);
    layout->addStretch(1);
    layout->addLayout(buttonRow);

    mTimer1 = new QTimer(this);
    mTimer1->setObjectName(QStringLiteral("Timer1"));
    mTimer1->setInterval(1000);
    connect(mTimer1, &QTimer::timeout, this, &TAnalysisDlg::Timer1Timer);

    // The English texts are the window's own; FormShow switches to French when needed.
    const Language en = Language::English;
    setWindowTitle(uiText(en, "ui.analysis.caption"));
    mLabel1->setText(uiText(en, "ui.analysis.progress"));
    mLabel2->setText(uiText(en, "ui.analysis.time_left"));
    group->setTitle(uiText(en, "ui.analysis.status"));
    mLabelTimeStep->setText(uiText(en, "ui.analysis.time_step"));
    mLabel4->setText(QStringLiteral("20.000 sec"));
    mLabelSliding->setText(uiText(en, "ui.analysis.sliding"));
    mLabelRocking->setText(uiText(en, "ui.analysis.rocking"));
    mLabel7->setText(uiText(en, "ui.analysis.absolute_error"));
    mLabel8->setText(QStringLiteral("0.000 %"));
    mLabel9->setText(uiText(en, "ui.analysis.relative_error"));
    mLabel10->setText(QStringLiteral("0.000 %"));
    mLabel11->setText(uiText(en, "ui.analysis.comments"));
    mButton->setText(uiText(en, "ui.analysis.stop"));

    fitSize();
}

void TAnalysisDlg::fitSize() {
    // Client area 262 x 310, or larger when the texts in the user's fonts need it.
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    layout()->activate();
    const QSize hint = sizeHint();
    setFixedSize(std::max(262, hint.width()), std::max(310, hint.height()));
}

TAnalysisDlg::~TAnalysisDlg() = default;

bool TAnalysisDlg::analysisStarted() const noexcept {
    return mFinished && mOutcome.end != RunEnd::ChecksFailed;
}

void TAnalysisDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (mShown)
        return;
    mShown = true;
    FormShow();
    // The run starts once the window is on the screen.
    QTimer::singleShot(0, this, &TAnalysisDlg::FormActivate);
}

void TAnalysisDlg::FormShow() {
    const Language l = mState.language();
    if (l == Language::French) {
        setWindowTitle(uiText(l, "ui.analysis.caption"));
        mLabel1->setText(uiText(l, "ui.analysis.progress"));
        mLabel2->setText(uiText(l, "ui.analysis.time_left"));
        findChild<QGroupBox*>(QStringLiteral("GroupBox"))
            ->setTitle(uiText(l, "ui.analysis.status"));
        mLabelTimeStep->setText(uiText(l, "ui.analysis.time_step"));
        mLabelSliding->setText(uiText(l, "ui.analysis.sliding"));
        mLabelRocking->setText(uiText(l, "ui.analysis.rocking"));
        mLabel7->setText(uiText(l, "ui.analysis.absolute_error"));
        mLabel9->setText(uiText(l, "ui.analysis.relative_error"));
        mLabel11->setText(uiText(l, "ui.analysis.comments"));
        mButton->setText(uiText(l, "ui.analysis.stop"));
    }
    const AnalysisKind kind = mState.Model.AnalysisKind;
    const bool sliding = kind != AnalysisKind::Rocking;
    const bool rocking = kind != AnalysisKind::Sliding;
    mLabelSliding->setEnabled(sliding);
    mLabel6->setEnabled(sliding);
    mLabelRocking->setEnabled(rocking);
    mLabel15->setEnabled(rocking);
    fitSize();
}

void TAnalysisDlg::FormActivate() {
    if (mStarted)
        return;
    mStarted = true;
    runAnalysis();
}

void TAnalysisDlg::runAnalysis() {
    mRunning = true;
    mState.AnalysisRunning = true;
    mRunClock.start();
    mTicker.start(std::chrono::milliseconds(kYieldIntervalMs));
    mPausedMs = 0;
    mTimer1->start();
    try {
        if (mStepFactory) {
            AnalysisRun run(mState.Model, *this, mStepFactory(mState.Model.AnalysisKind));
            mOutcome = run.run();
        } else {
            AnalysisRun run(mState.Model, *this);
            mOutcome = run.run();
        }
    } catch (const Error& e) {
        mOutcome = RunOutcome{};
        showMessage(MessageKind::Error, e.message());
    } catch (const std::exception& e) {
        mOutcome = RunOutcome{};
        mPrompts.showMessage(this, MessageKind::Error,
                             uiText(mState.language(), "ui.main.unexpected_error",
                                    {QString::fromLocal8Bit(e.what())}));
    }
    mTicker.stop();
    mRunning = false;
    mState.AnalysisRunning = false;
    mTimer1->stop();
    updateDisplay();
    if (mOutcome.end == RunEnd::ChecksFailed) {
        // The button stays "Stop analysis" and closes nothing; the close box ends the window.
        if (mCloseAfterRun)
            QDialog::reject();
        return;
    }
    mFinished = true;
    mProgressBar->setValue(0);
    mButton->setText(uiText(mState.language(), "ui.analysis.done"));
    if (mCloseAfterRun)
        QDialog::reject();
}

void TAnalysisDlg::ButtonClick() {
    if (mFinished) {
        accept();
        return;
    }
    requestStop();
}

void TAnalysisDlg::requestStop() {
    mStopRequested = true;
    mTimer1->stop();
}

void TAnalysisDlg::closeEvent(QCloseEvent* event) {
    if (mRunning) {
        requestStop();
        mCloseAfterRun = true;
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TAnalysisDlg::reject() {
    if (mRunning) {
        requestStop();
        mCloseAfterRun = true;
        return;
    }
    QDialog::reject();
}

void TAnalysisDlg::Timer1Timer() {
    if (mPosition <= 0)
        return;
    const double elapsed = static_cast<double>(mRunClock.elapsed() - mPausedMs);
    const double left = elapsed * (RunHost::kProgressMaximum - mPosition) / mPosition / 1000.0;
    mLabelTime->setText(QStringLiteral("%1 sec").arg(std::lround(left)));
}

void TAnalysisDlg::showMessage(MessageKind kind, const Message& message) {
    const qint64 started = mRunClock.isValid() ? mRunClock.elapsed() : 0;
    updateDisplay();
    mPrompts.showMessage(this, kind, renderMessage(mState.language(), message));
    pauseClock(started);
}

QuestionAnswer TAnalysisDlg::ask(const RunQuestion& question) {
    const qint64 started = mRunClock.isValid() ? mRunClock.elapsed() : 0;
    updateDisplay();
    const QuestionAnswer answer = mPrompts.askRunQuestion(
        this, renderMessage(mState.language(), question.message), question.buttons);
    pauseClock(started);
    return answer;
}

void TAnalysisDlg::pauseClock(qint64 startedMs) {
    if (mRunClock.isValid())
        mPausedMs += mRunClock.elapsed() - startedMs;
    mTicker.take();
}

void TAnalysisDlg::progress(int position) {
    mPosition = position;
    mProgressDirty = true;
}

void TAnalysisDlg::status(const RunStatus& status) {
    mStatus = status;
    mStatusDirty = true;
}

bool TAnalysisDlg::stopRequested() {
    if (mTicker.due())
        yieldToEvents();
    return mStopRequested;
}

void TAnalysisDlg::yieldToEvents() {
    mTicker.take();
    updateDisplay();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void TAnalysisDlg::updateDisplay() {
    if (mProgressDirty) {
        mProgressDirty = false;
        mProgressBar->setValue(mPosition);
    }
    if (!mStatusDirty)
        return;
    mStatusDirty = false;
    const Language l = mState.language();
    const RunStatusText t = FormatRunStatus(mStatus, mState.Model.UnitSystem);
    // The formats write "."; the window shows the user's decimal separator.
    const QString point = QLocale().decimalPoint();
    auto local = [&point](const std::string& s) {
        QString q = QString::fromStdString(s);
        if (point != QLatin1String("."))
            q.replace(QLatin1Char('.'), point);
        return q;
    };
    mLabel4->setText(local(t.time));
    if (mState.Model.AnalysisKind != AnalysisKind::Rocking)
        mLabel6->setText(local(t.slidingDisplacement));
    if (mState.Model.AnalysisKind != AnalysisKind::Sliding)
        mLabel15->setText(local(t.rotation));
    mLabel8->setText(local(t.absoluteEnergyError));
    mLabel10->setText(local(t.relativeEnergyError));
    if (mStatus.energyErrorHigh) {
        mLabel12->setText(uiText(l, "engine.energy_error_high"));
        mLabel13->setText(uiText(l, "engine.reduce_time_step"));
    }
}

} // namespace quibel
