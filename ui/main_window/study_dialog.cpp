// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window/study_dialog.h"

#include "ui/widgets/ui_text.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace quibel {

namespace {

constexpr int kPollMilliseconds = 250;

// Lines of a file that end with a line break (a row half written is not one), less the header.
int rowsOf(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const int lines = static_cast<int>(f.readAll().count('\n'));
    return lines > 0 ? lines - 1 : 0;
}

} // namespace

StudyDialog::StudyDialog(QString studyPath, Language language, QWidget* parent)
    : QDialog(parent), mStudy(std::move(studyPath)), mLanguage(language), mTimer(new QTimer(this)),
      mStatus(new QLabel(this)), mBar(new QProgressBar(this)),
      mButton(new QPushButton(uiText(language, "ui.study.stop"), this)),
      mCharts(new QTabWidget(this)) {
    setObjectName("StudyDialog");
    setWindowTitle(uiText(language, "ui.study.title") + " - " + QFileInfo(mStudy).fileName());
    const QFileInfo info(mStudy);
    mDir = info.dir().filePath(info.completeBaseName());
    mStatus->setObjectName("StudyStatus");
    mStatus->setWordWrap(true);
    mButton->setObjectName("StudyStop");
    mCharts->setObjectName("StudyCharts");
    mCharts->hide();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(mStatus);
    layout->addWidget(mBar);
    layout->addWidget(mCharts, 1);
    layout->addWidget(mButton, 0, Qt::AlignRight);
    connect(mButton, &QPushButton::clicked, this, [this] { running() ? stop() : accept(); });
    connect(mTimer, &QTimer::timeout, this, &StudyDialog::poll);
    connect(&mProcess, &QProcess::finished, this, &StudyDialog::ended);
    resize(780, 600);
}

StudyDialog::~StudyDialog() {
    if (running()) {
        mProcess.kill();
        mProcess.waitForFinished();
    }
}

QString StudyDialog::findCli() {
    const QString named = qEnvironmentVariable("QUIBEL_CLI");
    if (!named.isEmpty())
        return QFileInfo(named).isExecutable() ? named : QString();
    const QDir here(QCoreApplication::applicationDirPath());
    for (const QString& candidate :
         {here.filePath("quibel-cli"), here.filePath("../cli/quibel-cli")})
        if (QFileInfo(candidate).isExecutable())
            return QFileInfo(candidate).canonicalFilePath();
    return QStandardPaths::findExecutable("quibel-cli");
}

void StudyDialog::start(const QString& cli) {
    const QString lang = mLanguage == Language::French ? "fr" : "en";
    mStatus->setText(uiText(mLanguage, "ui.study.starting"));
    mProcess.start(cli, {"--lang", lang, "study", mStudy, "-o", mDir});
    mTimer->start(kPollMilliseconds);
}

void StudyDialog::stop() {
    mStopped = true;
    mProcess.terminate();
}

void StudyDialog::poll() {
    if (mCount == 0)
        mCount = rowsOf(mDir + "/cases.csv");
    mDone = 0;
    for (const QFileInfo& f : QDir(mDir + "/journal").entryInfoList({"*.csv"}, QDir::Files))
        mDone += rowsOf(f.filePath());
    if (mCount > 0) {
        mBar->setRange(0, mCount);
        mBar->setValue(std::min(mDone, mCount));
        mStatus->setText(uiText(mLanguage, "ui.study.progress",
                                {QString::number(mDone), QString::number(mCount)}));
    }
}

void StudyDialog::ended(int exitCode, QProcess::ExitStatus status) {
    mTimer->stop();
    poll();
    mButton->setText(uiText(mLanguage, "ui.study.close"));
    const bool ran = status == QProcess::NormalExit && (exitCode == 0 || exitCode == 2);
    if (mStopped) {
        mStatus->setText(uiText(mLanguage, "ui.study.stopped",
                                {QString::number(mDone), QString::number(mCount)}));
    } else if (ran) {
        mStatus->setText(QString::fromUtf8(mProcess.readAllStandardOutput()).trimmed());
        showCharts();
    } else {
        mStatus->setText(uiText(mLanguage, "ui.study.failed",
                                {QString::fromUtf8(mProcess.readAllStandardError()).trimmed()}));
    }
    emit studyEnded(ran && !mStopped ? exitCode : -1);
}

void StudyDialog::showCharts() {
    const QDir charts(mDir + "/charts");
    for (const char* pattern : {"fragility-*.png", "incremental-*.png"})
        for (const QFileInfo& f :
             charts.entryInfoList({QString::fromLatin1(pattern)}, QDir::Files, QDir::Name)) {
            auto* picture = new QLabel;
            picture->setPixmap(QPixmap(f.filePath()));
            auto* scroll = new QScrollArea;
            scroll->setWidget(picture);
            mCharts->addTab(scroll, f.completeBaseName());
        }
    mCharts->setVisible(mCharts->count() > 0);
    mBar->setVisible(mCharts->count() == 0);
}

QStringList StudyDialog::chartNames() const {
    QStringList names;
    for (int i = 0; i < mCharts->count(); ++i)
        names << mCharts->tabText(i);
    return names;
}

} // namespace quibel
