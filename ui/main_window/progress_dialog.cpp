// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window/progress_dialog.h"

#include "numeric/error.h"
#include "reporting/run_status_text.h"
#include "ui/widgets/application_state.h"
#include "ui/widgets/help_key.h"
#include "ui/widgets/help_topics.h"
#include "ui/widgets/ui_text.h"
#include "ui/widgets/user_prompts.h"

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

#include <algorithm>
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

ProgressDialog::ProgressDialog(ApplicationState& state, UserPrompts& prompts, QWidget* parent,
                               AnalysisStepFactory stepFactory)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      mState(state), mPrompts(prompts), mStepFactory(std::move(stepFactory)) {
    setObjectName(QStringLiteral("ProgressDialog"));
    setModal(true);
    addHelpShortcut(*this, state.language(),
                    menuHelpContext(HelpContext::AnalysisMenu, state.language()));

    mProgressTitle = makeLabel(this, "ProgressTitle", true);
    mProgressBar = new QProgressBar(this);
    mProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    mProgressBar->setRange(0, RunHost::kProgressMaximum);
    mProgressBar->setValue(0);
    mProgressBar->setTextVisible(false);
    mTimeLeftTitle = makeLabel(this, "TimeLeftTitle");
    mTimeLeftLabel = makeLabel(this, "TimeLeftLabel");

    auto* group = new QGroupBox(this);
    group->setObjectName(QStringLiteral("RunStatus"));
    QFont bold = group->font();
    bold.setBold(true);
    group->setFont(bold);
    mTimeTitle = makeLabel(group, "TimeTitle");
    mTimeLabel = makeLabel(group, "TimeLabel");
    mSlidingTitle = makeLabel(group, "SlidingTitle");
    mSlidingLabel = makeLabel(group, "SlidingLabel");
    mRotationTitle = makeLabel(group, "RotationTitle");
    mRotationLabel = makeLabel(group, "RotationLabel");
    mAbsoluteErrorTitle = makeLabel(group, "AbsoluteErrorTitle");
    mAbsoluteErrorLabel = makeLabel(group, "AbsoluteErrorLabel");
    mRelativeErrorTitle = makeLabel(group, "RelativeErrorTitle");
    mRelativeErrorLabel = makeLabel(group, "RelativeErrorLabel");
    // The group's title is bold; its contents are not (the weight is set explicitly, or the
    // labels would inherit the group's).
    QFont normal = font();
    normal.setBold(false);
    for (QLabel* l :
         {mTimeTitle, mTimeLabel, mSlidingTitle, mSlidingLabel, mRotationTitle, mRotationLabel,
          mAbsoluteErrorTitle, mAbsoluteErrorLabel, mRelativeErrorTitle, mRelativeErrorLabel})
        l->setFont(normal);
    for (QLabel* l :
         {mTimeLabel, mSlidingLabel, mRotationLabel, mAbsoluteErrorLabel, mRelativeErrorLabel})
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Room for the widest values the formats give, so that the captions keep theirs.
    const QFontMetrics metrics(normal);
    mTimeLabel->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("  9999.999 sec")));
    mSlidingLabel->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("-9999.9999999 mm")));
    mRotationLabel->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("-0.0000000000 rad")));
    mAbsoluteErrorLabel->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("  9999.999 %")));
    mRelativeErrorLabel->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("  9999.999 %")));
    auto* grid = new QGridLayout(group);
    grid->addWidget(mTimeTitle, 0, 0);
    grid->addWidget(mTimeLabel, 0, 1);
    grid->addWidget(mSlidingTitle, 1, 0);
    grid->addWidget(mSlidingLabel, 1, 1);
    grid->addWidget(mRotationTitle, 2, 0);
    grid->addWidget(mRotationLabel, 2, 1);
    grid->addWidget(mAbsoluteErrorTitle, 3, 0);
    grid->addWidget(mAbsoluteErrorLabel, 3, 1);
    grid->addWidget(mRelativeErrorTitle, 4, 0);
    grid->addWidget(mRelativeErrorLabel, 4, 1);

    auto* bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("Comments"));
    bevel->setFrameShape(QFrame::Panel);
    bevel->setFrameShadow(QFrame::Sunken);
    mCommentsTitle = makeLabel(bevel, "CommentsTitle", true);
    mEnergyWarningLabel = makeLabel(bevel, "EnergyWarningLabel");
    mTimeStepAdviceLabel = makeLabel(bevel, "TimeStepAdviceLabel");
    mStoppedLabel = makeLabel(bevel, "StoppedLabel");
    mStoppedLabel->setWordWrap(true);
    auto* bevelLayout = new QVBoxLayout(bevel);
    bevelLayout->addWidget(mCommentsTitle);
    bevelLayout->addWidget(mEnergyWarningLabel);
    bevelLayout->addWidget(mTimeStepAdviceLabel);
    bevelLayout->addWidget(mStoppedLabel);

    mStopButton = new QPushButton(this);
    mStopButton->setObjectName(QStringLiteral("StopButton"));
    mStopButton->setDefault(true);
    mStopButton->setAutoDefault(true);
    connect(mStopButton, &QPushButton::clicked, this, &ProgressDialog::stopOrClose);

    auto* timeRow = new QHBoxLayout;
    timeRow->addWidget(mTimeLeftTitle);
    timeRow->addWidget(mTimeLeftLabel, 1);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(mStopButton);
    buttonRow->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(mProgressTitle);
    layout->addWidget(mProgressBar);
    layout->addLayout(timeRow);
    layout->addWidget(group);
    layout->addWidget(bevel);
    layout->addStretch(1);
    layout->addLayout(buttonRow);

    mClock = new QTimer(this);
    mClock->setObjectName(QStringLiteral("Clock"));
    mClock->setInterval(1000);
    connect(mClock, &QTimer::timeout, this, &ProgressDialog::showTimeLeft);

    // The English texts are the window's own; showRunTexts switches to French when needed.
    const Language en = Language::English;
    setWindowTitle(uiText(en, "ui.analysis.caption"));
    mProgressTitle->setText(uiText(en, "ui.analysis.progress"));
    mTimeLeftTitle->setText(uiText(en, "ui.analysis.time_left"));
    group->setTitle(uiText(en, "ui.analysis.status"));
    mTimeTitle->setText(uiText(en, "ui.analysis.time_step"));
    mTimeLabel->setText(QStringLiteral("20.000 sec"));
    mSlidingTitle->setText(uiText(en, "ui.analysis.sliding"));
    mRotationTitle->setText(uiText(en, "ui.analysis.rocking"));
    mAbsoluteErrorTitle->setText(uiText(en, "ui.analysis.absolute_error"));
    mAbsoluteErrorLabel->setText(QStringLiteral("0.000 %"));
    mRelativeErrorTitle->setText(uiText(en, "ui.analysis.relative_error"));
    mRelativeErrorLabel->setText(QStringLiteral("0.000 %"));
    mCommentsTitle->setText(uiText(en, "ui.analysis.comments"));
    mStopButton->setText(uiText(en, "ui.analysis.stop"));

    fitSize();
}

void ProgressDialog::fitSize() {
    // Client area 262 x 310, or larger when the texts in the user's fonts need it.
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    layout()->activate();
    const QSize hint = sizeHint();
    setFixedSize(std::max(262, hint.width()), std::max(310, hint.height()));
}

ProgressDialog::~ProgressDialog() = default;

bool ProgressDialog::analysisStarted() const noexcept {
    return mFinished && mOutcome.end != RunEnd::ChecksFailed;
}

void ProgressDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (mShown)
        return;
    mShown = true;
    showRunTexts();
    // The run starts once the window is on the screen.
    QTimer::singleShot(0, this, &ProgressDialog::startRun);
}

void ProgressDialog::showRunTexts() {
    const Language l = mState.language();
    if (l == Language::French) {
        setWindowTitle(uiText(l, "ui.analysis.caption"));
        mProgressTitle->setText(uiText(l, "ui.analysis.progress"));
        mTimeLeftTitle->setText(uiText(l, "ui.analysis.time_left"));
        findChild<QGroupBox*>(QStringLiteral("RunStatus"))
            ->setTitle(uiText(l, "ui.analysis.status"));
        mTimeTitle->setText(uiText(l, "ui.analysis.time_step"));
        mSlidingTitle->setText(uiText(l, "ui.analysis.sliding"));
        mRotationTitle->setText(uiText(l, "ui.analysis.rocking"));
        mAbsoluteErrorTitle->setText(uiText(l, "ui.analysis.absolute_error"));
        mRelativeErrorTitle->setText(uiText(l, "ui.analysis.relative_error"));
        mCommentsTitle->setText(uiText(l, "ui.analysis.comments"));
        mStopButton->setText(uiText(l, "ui.analysis.stop"));
    }
    const AnalysisKind kind = mState.Model.AnalysisKind;
    const bool sliding = kind != AnalysisKind::Rocking;
    const bool rocking = kind != AnalysisKind::Sliding;
    mSlidingTitle->setEnabled(sliding);
    mSlidingLabel->setEnabled(sliding);
    mRotationTitle->setEnabled(rocking);
    mRotationLabel->setEnabled(rocking);
    fitSize();
}

void ProgressDialog::startRun() {
    if (mStarted)
        return;
    mStarted = true;
    runAnalysis();
}

void ProgressDialog::runAnalysis() {
    mRunning = true;
    mState.AnalysisRunning = true;
    mRunClock.start();
    mTicker.start(std::chrono::milliseconds(kYieldIntervalMs));
    mPausedMs = 0;
    mClock->start();
    mLog = {};
    RecordingRunHost recorder(*this, mLog);
    try {
        if (mStepFactory) {
            AnalysisRun run(mState.Model, recorder, mStepFactory(mState.Model.AnalysisKind));
            mOutcome = run.run();
        } else {
            AnalysisRun run(mState.Model, recorder);
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
    mLog.outcome = mOutcome;
    mTicker.stop();
    mRunning = false;
    mState.AnalysisRunning = false;
    mClock->stop();
    updateDisplay();
    if (mOutcome.end == RunEnd::ChecksFailed) {
        // The comments repeat what to correct; the button, and the close box, end the window.
        QStringList lines{uiText(mState.language(), "ui.analysis.refused")};
        lines.append(mRefusals);
        mStoppedLabel->setText(lines.join(QLatin1Char('\n')));
        mStopButton->setText(uiText(mState.language(), "ui.analysis.close_stopped"));
        fitSize();
        if (mCloseAfterRun)
            QDialog::reject();
        return;
    }
    mFinished = true;
    showRunEnd();
    if (mCloseAfterRun)
        QDialog::reject();
}

void ProgressDialog::showRunEnd() {
    const Language l = mState.language();
    if (mOutcome.end == RunEnd::Completed) {
        mProgressBar->setValue(RunHost::kProgressMaximum);
        mTimeLeftLabel->setText(QStringLiteral("0 sec"));
        mStopButton->setText(uiText(l, "ui.analysis.done"));
        return;
    }
    // A stopped run keeps what it reached, so that it cannot be taken for a whole one.
    mProgressBar->setValue(mReached);
    mTimeLeftLabel->clear();
    QString time = QString::number(mStatus.time, 'f', 3);
    time.replace(QLatin1Char('.'), QLocale().decimalPoint());
    mStoppedLabel->setText(uiText(l, "ui.analysis.stopped_at", {time}));
    mStopButton->setText(uiText(l, "ui.analysis.close_stopped"));
    fitSize();
}

void ProgressDialog::stopOrClose() {
    if (mFinished) {
        accept();
        return;
    }
    if (analysisRefused()) {
        QDialog::reject();
        return;
    }
    requestStop();
}

void ProgressDialog::requestStop() {
    mStopRequested = true;
    mClock->stop();
}

void ProgressDialog::closeEvent(QCloseEvent* event) {
    if (mRunning) {
        requestStop();
        mCloseAfterRun = true;
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void ProgressDialog::reject() {
    if (mRunning) {
        requestStop();
        mCloseAfterRun = true;
        return;
    }
    QDialog::reject();
}

void ProgressDialog::showTimeLeft() {
    if (mPosition <= 0)
        return;
    const double elapsed = static_cast<double>(mRunClock.elapsed() - mPausedMs);
    const double left = elapsed * (RunHost::kProgressMaximum - mPosition) / mPosition / 1000.0;
    mTimeLeftLabel->setText(QStringLiteral("%1 sec").arg(std::lround(left)));
}

void ProgressDialog::showMessage(MessageKind kind, const Message& message) {
    const qint64 started = mRunClock.isValid() ? mRunClock.elapsed() : 0;
    updateDisplay();
    const QString text = renderMessage(mState.language(), message);
    if (kind == MessageKind::Error)
        mRefusals.append(text);
    mPrompts.showMessage(this, kind, text);
    pauseClock(started);
}

QuestionAnswer ProgressDialog::ask(const RunQuestion& question) {
    const qint64 started = mRunClock.isValid() ? mRunClock.elapsed() : 0;
    updateDisplay();
    const QuestionAnswer answer = mPrompts.askRunQuestion(
        this, renderMessage(mState.language(), question.message), question.buttons);
    pauseClock(started);
    return answer;
}

void ProgressDialog::pauseClock(qint64 startedMs) {
    if (mRunClock.isValid())
        mPausedMs += mRunClock.elapsed() - startedMs;
    mTicker.take();
}

void ProgressDialog::progress(int position) {
    mPosition = position;
    mReached = std::max(mReached, position);
    mProgressDirty = true;
}

void ProgressDialog::status(const RunStatus& status) {
    mStatus = status;
    mStatusDirty = true;
}

bool ProgressDialog::stopRequested() {
    if (mTicker.due())
        yieldToEvents();
    return mStopRequested;
}

void ProgressDialog::yieldToEvents() {
    mTicker.take();
    updateDisplay();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void ProgressDialog::updateDisplay() {
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
    mTimeLabel->setText(local(t.time));
    if (mState.Model.AnalysisKind != AnalysisKind::Rocking)
        mSlidingLabel->setText(local(t.slidingDisplacement));
    if (mState.Model.AnalysisKind != AnalysisKind::Sliding)
        mRotationLabel->setText(local(t.rotation));
    mAbsoluteErrorLabel->setText(local(t.absoluteEnergyError));
    mRelativeErrorLabel->setText(local(t.relativeEnergyError));
    if (mStatus.energyErrorHigh) {
        mEnergyWarningLabel->setText(uiText(l, "engine.energy_error_high"));
        mTimeStepAdviceLabel->setText(uiText(l, "engine.reduce_time_step"));
    }
}

} // namespace quibel
