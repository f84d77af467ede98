// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/report_run_log.h"
#include "engine/run/analysis_step.h"
#include "engine/run/run_driver.h"
#include "engine/run/run_host.h"
#include "ui/main_window/yield_ticker.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QStringList>

#include <functional>
#include <memory>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace quibel {

struct ApplicationState;
class UserPrompts;

/// Makes the step function of an analysis kind; the default is MakeAnalysisStep. Tests hand
/// in steps of their own.
using AnalysisStepFactory = std::function<std::unique_ptr<AnalysisStep>(AnalysisKind)>;

/// The progress window of an analysis ("Analysis in progress"). Shown modally by the main
/// window; once shown it runs the analysis of the model's AnalysisKind on the user-interface
/// thread, yielding to the event loop every few tens of milliseconds so that it repaints, its
/// one-second timer updates the remaining time and its button can stop the run. The display
/// is brought up to date at those moments only, and between them a step pays one load of a
/// flag (YieldTicker), so the window costs the run next to nothing.
///
/// Button ("Stop analysis") asks the run to stop; it closes nothing while the run proceeds.
/// When the run has completed the bar is full, the estimate reads "0 sec" and the button reads
/// "Analysis Done"; when it was stopped the bar stays where the run got to, the comments say
/// at which time it stopped and the button reads "Close". Either way the button closes the
/// window with OK. Closing the
/// window while the run proceeds stops the run first and closes when it has ended. When the
/// checks refuse the run, the window stays open, its comments repeat what to correct and its
/// button, reading "Close", closes it (as the close box does).
class ProgressDialog final : public QDialog, public RunHost {
    Q_OBJECT
public:
    ProgressDialog(ApplicationState& state, UserPrompts& prompts, QWidget* parent = nullptr,
                   AnalysisStepFactory stepFactory = {});
    ~ProgressDialog() override;

    /// true once the run got past its checks: its result series were created (and hold at
    /// least the state at time 0), whether it then completed or was stopped.
    bool analysisStarted() const noexcept;
    /// true once the run has ended (completed or stopped).
    bool analysisFinished() const noexcept { return mFinished; }
    /// true once the checks refused the run: the window waits for its close box.
    bool analysisRefused() const noexcept { return mStarted && !mRunning && !mFinished; }
    const RunOutcome& outcome() const noexcept { return mOutcome; }
    /// What the run said and asked, with the answers given, for the analysis report.
    const ReportRunLog& runLog() const noexcept { return mLog; }

    // RunHost, called by the run on this thread.
    void showMessage(MessageKind kind, const Message& message) override;
    QuestionAnswer ask(const RunQuestion& question) override;
    void progress(int position) override;
    void status(const RunStatus& status) override;
    bool stopRequested() override;

    /// Wall time between two visits to the event loop during a run, ms.
    static constexpr int kYieldIntervalMs = 40;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void showRunTexts();
    void fitSize();
    void startRun();
    void stopOrClose();
    void showTimeLeft();
    void runAnalysis();
    void yieldToEvents();
    void updateDisplay();
    void requestStop();
    void pauseClock(qint64 startedMs);
    void showRunEnd();

    ApplicationState& mState;
    UserPrompts& mPrompts;
    AnalysisStepFactory mStepFactory;

    QLabel* mProgressTitle = nullptr;
    QProgressBar* mProgressBar = nullptr;
    QLabel* mTimeLeftTitle = nullptr;
    QLabel* mTimeLeftLabel = nullptr;
    QLabel* mTimeTitle = nullptr;
    QLabel* mTimeLabel = nullptr;
    QLabel* mSlidingTitle = nullptr;
    QLabel* mSlidingLabel = nullptr;
    QLabel* mRotationTitle = nullptr;
    QLabel* mRotationLabel = nullptr;
    QLabel* mAbsoluteErrorTitle = nullptr;
    QLabel* mAbsoluteErrorLabel = nullptr;
    QLabel* mRelativeErrorTitle = nullptr;
    QLabel* mRelativeErrorLabel = nullptr;
    QLabel* mCommentsTitle = nullptr;
    QLabel* mEnergyWarningLabel = nullptr;
    QLabel* mTimeStepAdviceLabel = nullptr;
    QLabel* mStoppedLabel = nullptr;
    QPushButton* mStopButton = nullptr;
    QTimer* mClock = nullptr;

    bool mShown = false;
    bool mStarted = false;       // a run was started for this opening of the window
    bool mRunning = false;       // the run is inside its loop or its checks
    bool mFinished = false;      // the run has ended; the button closes the window
    bool mStopRequested = false; // stop button, close box or Escape
    bool mCloseAfterRun = false;
    RunOutcome mOutcome;
    ReportRunLog mLog;
    QStringList mRefusals; // the errors shown, which the comments repeat when the run is refused

    // Values the run reported and the display has not shown yet.
    int mPosition = 0;
    int mReached = 0; // the furthest position reported (the run sets 0 as it ends)
    bool mProgressDirty = false;
    RunStatus mStatus;
    bool mStatusDirty = false;

    YieldTicker mTicker;
    QElapsedTimer mRunClock; // started when the run starts, for the remaining time
    qint64 mPausedMs = 0;    // time spent in message boxes, not counted as run time
};

} // namespace quibel
