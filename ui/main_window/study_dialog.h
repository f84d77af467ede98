// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "texts/text_catalogue.h"

#include <QDialog>
#include <QProcess>
#include <QString>
#include <QStringList>

class QLabel;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTimer;

namespace quibel {

/// Runs a study with quibel-cli (`quibel-cli study STUDY -o DIR`, the folder beside the study
/// that the tool resumes), shows the cases done out of all from the folder's journals while
/// it runs, stops it on Stop (the cases done stay: running it again goes on from there), and
/// shows the fragility and incremental charts the tool drew once it has ended.
class StudyDialog final : public QDialog {
    Q_OBJECT
public:
    StudyDialog(QString studyPath, Language language, QWidget* parent = nullptr);
    ~StudyDialog() override;

    /// Starts the run with the tool at cli.
    void start(const QString& cli);
    /// The tool beside the program (or in the build tree's cli/ folder, or on the PATH;
    /// QUIBEL_CLI names another), empty when there is none.
    static QString findCli();

    /// The study's results folder.
    QString resultsDir() const { return mDir; }
    /// Cases done and cases of the study, as last read from the folder.
    int casesDone() const { return mDone; }
    int caseCount() const { return mCount; }
    bool running() const { return mProcess.state() != QProcess::NotRunning; }
    /// The charts shown, by file name without extension.
    QStringList chartNames() const;

public slots:
    void stop();

signals:
    void studyEnded(int exitCode);

private:
    void poll();
    void ended(int exitCode, QProcess::ExitStatus status);
    void showCharts();

    QString mStudy, mDir;
    Language mLanguage;
    QProcess mProcess;
    QTimer* mTimer;
    QLabel* mStatus;
    QProgressBar* mBar;
    QPushButton* mButton;
    QTabWidget* mCharts;
    int mDone = 0, mCount = 0;
    bool mStopped = false;
};

} // namespace quibel
