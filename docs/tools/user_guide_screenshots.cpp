// SPDX-License-Identifier: GPL-3.0-or-later
// quibel-guide-screenshots OUTDIR: walks through the tutorial of docs/user-guide.md in the real
// desktop program and saves a picture of every window it opens as OUTDIR/<name>.png.
//
// The main window is the program's own, over a settings file of its own; every window is
// opened by the command a user would choose, filled as the tutorial says, pictured once it has
// painted, and closed with its OK or Close button. File choosers and message boxes are
// answered by a scripted user (project and exports go to a temporary folder). Run it under
// Xvfb (scripts/user_guide_screenshots.sh) so that the windows are real X11 windows.
#include "model/model_flags.h"
#include "ui/histories/database_dialog.h"
#include "ui/main_window/main_window.h"
#include "ui/main_window/progress_dialog.h"
#include "ui/main_window/user_settings.h"
#include "ui/widgets/application_state.h"
#include "ui/widgets/numeric_edit.h"
#include "ui/widgets/user_prompts.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>

#include <cstdio>
#include <functional>
#include <iostream>
#include <stdexcept>
#include <string>

using namespace quibel;

namespace {

QString gOut;         // folder of the pictures
QTemporaryDir* gWork; // folder of the project and the exports
int gFailures = 0;

void fail(const std::string& what) {
    std::cerr << "user_guide_screenshots: " << what << "\n";
    ++gFailures;
}

// Lets the event loop run for ms milliseconds (painting, layouts, timers).
void settle(int ms = 300) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void picture(QWidget& w, const char* name) {
    settle();
    const QString path = QDir(gOut).filePath(QString::fromLatin1(name) + ".png");
    if (!w.grab().save(path))
        fail("cannot write " + path.toStdString());
    else
        std::cout << "  " << path.toStdString() << "\n";
}

template <class T>
T* child(QWidget& parent, const char* name) {
    T* c = parent.findChild<T*>(QString::fromLatin1(name));
    if (!c)
        fail(std::string("no ") + name + " in " + parent.objectName().toStdString());
    return c;
}

void click(QWidget& parent, const char* button) {
    if (auto* b = child<QAbstractButton>(parent, button))
        b->click();
}

// Runs action on the top-level window named name as soon as it is shown (the command that
// opens it runs its own event loop meanwhile). Gives up after 20 s.
void whenShown(const char* name, std::function<void(QWidget&)> action) {
    auto* timer = new QTimer;
    auto* clock = new QElapsedTimer;
    clock->start();
    const QString wanted = QString::fromLatin1(name);
    QObject::connect(timer, &QTimer::timeout, [=] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == wanted && w->isVisible()) {
                timer->stop();
                timer->deleteLater();
                delete clock;
                settle();
                action(*w);
                return;
            }
        }
        if (clock->elapsed() > 20000) {
            timer->stop();
            timer->deleteLater();
            delete clock;
            fail(std::string("the window ") + name + " did not open");
        }
    });
    timer->start(20);
}

// The user of the tutorial: saves into the work folder, goes on at every question.
class ScriptedUser final : public UserPrompts {
public:
    void showMessage(QWidget*, MessageKind, const QString& text) override {
        std::cout << "  message: " << text.toStdString() << "\n";
    }
    YesNoCancel askYesNoCancel(QWidget*, const QString&) override { return YesNoCancel::No; }
    QuestionAnswer askRunQuestion(QWidget*, const QString& text, QuestionButtons) override {
        std::cout << "  question (answered No): " << text.toStdString() << "\n";
        return QuestionAnswer::Continue;
    }
    QString openFileName(QWidget*, const FileDialogSpec&) override { return {}; }
    QString saveFileName(QWidget*, const FileDialogSpec& spec, int* filter) override {
        if (filter)
            *filter = 0;
        const QString name = spec.defaultSuffix == QLatin1String("qbl")
                                 ? QStringLiteral("my-dam.qbl")
                                 : QStringLiteral("export.") + spec.defaultSuffix;
        return gWork->filePath(name);
    }
    bool printDialog(QWidget*, QPrinter&) override { return false; }
    bool pageSetupDialog(QWidget*, QPrinter&) override { return false; }
};

void setEdit(QWidget& dialog, const char* name, double value) {
    if (auto* e = child<NumericEdit>(dialog, name))
        e->setValue(value);
}

// The tutorial, step by step, on the program's main window.
void tutorial(MainWindow& window, ApplicationState& state) {
    window.resize(1000, 700);
    window.show();
    settle(800);
    picture(window, "main-window-start");

    // 1. Geometry: the start-up dam as it comes, analysed for sliding and rocking.
    whenShown("geometry_dialog", [](QWidget& d) {
        if (auto* r = child<QRadioButton>(d, "sliding_rocking_radio"))
            r->setChecked(true);
        setEdit(d, "hr_edit", 28.0);
        picture(d, "geometry-dialog");
        click(d, "ok_button");
    });
    window.editGeometry();

    // 2. Horizontal base acceleration from the earthquake database, and its spectrum.
    whenShown("TimeHistoryDialog", [](QWidget& d) {
        whenShown("DatabaseDialog", [](QWidget& db) {
            auto* tree = child<QTreeWidget>(db, "RecordTree");
            if (tree && tree->topLevelItemCount() > 0) {
                QTreeWidgetItem* sheet = tree->topLevelItem(0);
                sheet->setExpanded(true);
                if (sheet->childCount() > 0)
                    tree->setCurrentItem(sheet->child(0));
            }
            picture(db, "database-dialog");
            click(db, "ButtonOk");
        });
        click(d, "DatabaseButton");
        settle();
        picture(d, "time-history-dialog");
        whenShown("SpectrumDialog", [](QWidget& s) {
            click(s, "AnalyseButton");
            settle(500);
            picture(s, "spectrum-dialog");
            click(s, "CloseButton");
        });
        click(d, "ButtonSpectrum");
        click(d, "ButtonOk");
    });
    window.editTimeHistory(HistoryKind::HorizontalAcceleration);

    // 3. Analysis options: the defaults, shown on their first two pages.
    whenShown("analysis_options_dialog", [](QWidget& d) {
        picture(d, "analysis-options");
        if (auto* pages = child<QTabWidget>(d, "options_pages")) {
            pages->setCurrentIndex(2);
            picture(d, "analysis-options-rocking");
            pages->setCurrentIndex(4);
            picture(d, "analysis-options-hydrodynamic");
            pages->setCurrentIndex(0);
        }
        click(d, "ok_button");
    });
    window.editOptions();

    // 4. The analysis, pictured once it is done. The run yields to the event loop while it
    // proceeds, so the window is watched from a timer rather than waited for here.
    whenShown("ProgressDialog", [](QWidget& d) {
        auto* dlg = qobject_cast<ProgressDialog*>(&d);
        auto* poll = new QTimer;
        QObject::connect(poll, &QTimer::timeout, [dlg, poll] {
            if (!dlg->analysisFinished() && !dlg->analysisRefused())
                return;
            poll->stop();
            poll->deleteLater();
            picture(*dlg, "progress-window");
            if (dlg->analysisFinished())
                click(*dlg, "StopButton");
            else
                dlg->close();
        });
        poll->start(100);
    });
    window.runAnalysis();
    if (!hasFlag(state.Model.ModelFlags, ModelFlag::ResultsValid))
        fail("the analysis gave no results");
    settle(500);
    picture(window, "main-window");

    // 5. Results: the viewer (the rotation), its spreadsheet and the CSV export.
    whenShown("ResultsDialog", [](QWidget& d) {
        if (auto* list = child<QComboBox>(d, "Liste")) {
            const int rotation = list->findText(QStringLiteral("Rotation"), Qt::MatchStartsWith);
            list->setCurrentIndex(rotation >= 0 ? rotation : 0);
        }
        picture(d, "results-viewer");
        whenShown("SpreadsheetDialog", [](QWidget& s) {
            s.resize(900, 500);
            // The rows where the block starts to slide, 3.5 s into the record.
            if (auto* grid = child<QAbstractItemView>(s, "Grid"))
                if (grid->model() && grid->model()->rowCount() > 350)
                    grid->scrollTo(grid->model()->index(350, 0), QAbstractItemView::PositionAtTop);
            picture(s, "spreadsheet");
            s.close();
        });
        click(d, "ButtonValues");
        if (auto* save = d.findChild<QAction*>(QStringLiteral("ActionSaveAs")))
            save->trigger();
        if (auto* close = d.findChild<QAction*>(QStringLiteral("ActionClose")))
            close->trigger();
    });
    window.showResultHistories();

    // 6. The animation, a few seconds into the record.
    whenShown("AnimationDialog", [](QWidget& d) {
        click(d, "ButtonStart");
        settle(3000);
        click(d, "ButtonStop");
        picture(d, "animation");
        click(d, "ButtonClose");
    });
    window.showAnimation();

    // 7. The computed-data report.
    whenShown("DataDialog", [](QWidget& d) {
        picture(d, "computed-data");
        if (auto* close = d.findChild<QAction*>(QStringLiteral("ActionClose")))
            close->trigger();
        else
            d.close();
    });
    window.showComputedData();

    // 8. The project saved; the main window in French.
    window.saveFileAs();
    window.setEnglishLanguage(false);
    settle(500);
    picture(window, "main-window-french");
    window.setEnglishLanguage(true);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::cout << std::unitbuf;
    if (argc != 2) {
        std::cerr << "usage: quibel-guide-screenshots OUTDIR\n";
        return 1;
    }
    gOut = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(gOut);
    QTemporaryDir work;
    gWork = &work;
    UserSettings settings(work.filePath(QStringLiteral("settings.ini")));
    ApplicationState state;
    ScriptedUser user;
    MainWindow window(state, user, settings);
    QTimer::singleShot(0, [&] {
        tutorial(window, state);
        state.ModelSaved = true; // nothing to ask when the window closes
        window.close();
        app.quit();
    });
    app.exec();
    if (!QFileInfo::exists(work.filePath(QStringLiteral("my-dam.qbl"))))
        fail("the project was not saved");
    return gFailures == 0 ? 0 : 1;
}
