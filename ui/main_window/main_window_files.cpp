// SPDX-License-Identifier: GPL-3.0-or-later
// The file commands of the main window: open, save, recent files, dropped files and the
// close prompt.
#include "ui/main_window/main_window.h"

#include "model/model_flags.h"
#include "model/project_file.h"
#include "numeric/error.h"
#include "ui/main_window/unreadable_project.h"
#include "ui/main_window/user_settings.h"
#include "ui/widgets/application_state.h"
#include "ui/widgets/ui_text.h"
#include "ui/widgets/user_prompts.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

namespace quibel {

namespace {
QStringList localFiles(const QMimeData* data) {
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    return paths;
}

const QString kProjectFolder = QStringLiteral("Projects");

std::string toPath(const QString& path) {
    return QDir::toNativeSeparators(path).toStdString();
}
} // namespace

bool MainWindow::readProjectFile(const QString& path) {
    try {
        ReadFromFile(mState.Model, toPath(path));
    } catch (const Error&) {
        mPrompts.showMessage(this, MessageKind::Error,
                             unreadableProjectMessage(mState.language(), path));
        return false;
    }
    // Result series are not stored in project files, and those in memory belong to the
    // project that was there before.
    setFlag(mState.Model.ModelFlags, ModelFlag::ResultsValid, false);
    mState.Model.FileName = toPath(path);
    restartUndo();
    showUnitSystem();
    setCaption();
    redrawSection(true);
    updateResultCommands();
    return true;
}

bool MainWindow::writeProjectFile(const QString& path) {
    try {
        WriteToFile(mState.Model, toPath(path));
    } catch (const Error& e) {
        mPrompts.showMessage(this, MessageKind::Error,
                             renderMessage(mState.language(), e.message()));
        return false;
    }
    return true;
}

QString MainWindow::askProjectFileName(const QString& title) {
    FileDialogSpec spec;
    spec.title = title;
    spec.filters = {text("ui.main.filter.project")};
    spec.defaultSuffix = QStringLiteral("qbl");
    spec.directory = mSettings.readLastFolder(kProjectFolder);
    const QString path = mPrompts.saveFileName(this, spec);
    rememberFolder(kProjectFolder, path);
    return path;
}

void MainWindow::rememberFolder(const QString& dialog, const QString& chosen) {
    if (!chosen.isEmpty())
        mSettings.writeLastFolder(dialog, QFileInfo(chosen).absolutePath());
}

bool MainWindow::confirmReplaceModel() {
    if (mState.ModelSaved)
        return true;
    switch (mPrompts.askYesNoCancel(this, text("ui.main.save_before_replacing"))) {
    case YesNoCancel::Yes:
        return saveFile();
    case YesNoCancel::No:
        return true;
    case YesNoCancel::Cancel:
        break;
    }
    return false;
}

void MainWindow::newProject() {
    if (mState.AnalysisRunning || !confirmReplaceModel())
        return;
    mState.Model = startupModel();
    restartUndo();
    setModelSaved(true);
    showUnitSystem();
    setCaption();
    updateResultCommands();
    redrawSection(true);
}

void MainWindow::openFile() {
    if (mState.AnalysisRunning || !confirmReplaceModel())
        return;
    FileDialogSpec spec;
    spec.title = text("ui.main.open").remove(QLatin1Char('&'));
    spec.filters = {text("ui.main.filter.all")};
    spec.directory = mSettings.readLastFolder(kProjectFolder);
    const QString path = mPrompts.openFileName(this, spec);
    rememberFolder(kProjectFolder, path);
    if (path.isEmpty() || !readProjectFile(path))
        return;
    mRecent.add(QString::fromStdString(mState.Model.FileName));
    rebuildRecentMenu();
    setModelSaved(true);
}

bool MainWindow::saveFile() {
    QString path = QString::fromStdString(mState.Model.FileName);
    const bool untitled = path.isEmpty();
    if (untitled) {
        path = askProjectFileName(text("ui.main.save_as_title"));
        if (path.isEmpty()) {
            mState.CloseCancelled = true;
            return false;
        }
    }
    if (!writeProjectFile(path)) {
        // Closing now would lose the work that could not be written.
        mState.CloseCancelled = true;
        return false;
    }
    mState.Model.FileName = toPath(path);
    mRecent.add(QString::fromStdString(mState.Model.FileName));
    rebuildRecentMenu();
    setModelSaved(true);
    if (untitled)
        mState.CloseCancelled = false;
    setCaption();
    return true;
}

bool MainWindow::saveFileAs() {
    const QString path = askProjectFileName(text("ui.main.save_as_title"));
    if (path.isEmpty() || !writeProjectFile(path))
        return false;
    mState.Model.FileName = toPath(path);
    mRecent.add(QString::fromStdString(mState.Model.FileName));
    rebuildRecentMenu();
    setModelSaved(true);
    setCaption();
    return true;
}

bool MainWindow::openRecentFile(const QString& path) {
    if (mState.AnalysisRunning || !confirmReplaceModel())
        return false;
    if (!readProjectFile(path)) {
        mRecent.remove(path);
        rebuildRecentMenu();
        return false;
    }
    mRecent.add(path);
    rebuildRecentMenu();
    setModelSaved(true);
    return true;
}

void MainWindow::openDroppedFiles(const QStringList& paths) {
    if (mState.AnalysisRunning || paths.isEmpty() || !confirmReplaceModel())
        return;
    for (const QString& path : paths) {
        if (!readProjectFile(path))
            continue;
        mRecent.add(QString::fromStdString(mState.Model.FileName));
        rebuildRecentMenu();
        setModelSaved(true);
    }
}

void MainWindow::openStartupFile(const QString& path) {
    openDroppedFiles({QFileInfo(path).absoluteFilePath()});
}

void MainWindow::rebuildRecentMenu() {
    QMenu* recent = menu(CommandMenu::Recent);
    recent->clear();
    int n = 0;
    for (const QString& path : mRecent.entries()) {
        ++n;
        QString label = path;
        label.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* a = recent->addAction(n < 10 ? QStringLiteral("&%1 %2").arg(n).arg(label)
                                              : QStringLiteral("1&0 %1").arg(label));
        a->setObjectName(QStringLiteral("ActionRecent%1").arg(n));
        a->setData(path);
        connect(a, &QAction::triggered, this, [this, path] { openRecentFile(path); });
    }
    recent->setEnabled(n > 0);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!mState.AnalysisRunning && !localFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QStringList paths = localFiles(event->mimeData());
    if (mState.AnalysisRunning || paths.isEmpty())
        return;
    event->acceptProposedAction();
    openDroppedFiles(paths);
}

void MainWindow::exitProgram() {
    close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (mState.AnalysisRunning) {
        event->ignore();
        return;
    }
    mState.CloseCancelled = false;
    if (!mState.ModelSaved) {
        switch (mPrompts.askYesNoCancel(this, text("ui.main.save_before_closing"))) {
        case YesNoCancel::Cancel:
            mState.CloseCancelled = true;
            break;
        case YesNoCancel::Yes:
            saveFile();
            break;
        case YesNoCancel::No:
            break;
        }
    }
    if (mState.CloseCancelled) {
        event->ignore();
        return;
    }
    mSettings.writeRecentFiles(mRecent.entries());
    mSettings.writeWindowGeometry(saveGeometry());
    mSettings.writeWindowState(saveState());
    mSettings.writeEnglishLanguage(mState.EnglishLanguage);
    mSettings.sync();
    event->accept();
}

} // namespace quibel
