// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window/main_window.h"

#include "chart/chart_widget.h"
#include "model/model_flags.h"
#include "model/project_file.h"
#include "pdf_tools.h"
#include "scripted_analysis_step.h"
#include "scripted_prompts.h"
#include "ui/main_window/analysis_gate.h"
#include "ui/main_window/user_settings.h"
#include "ui/widgets/application_state.h"
#include "ui/widgets/help_window.h"

#include <QComboBox>
#include <QDialog>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace quibel;
using namespace quibel::test;

namespace {

const QString kExample = QStringLiteral(QUIBEL_SOURCE_DIR "/examples/startup.qbl");
const QString kImperialExample = QStringLiteral(QUIBEL_SOURCE_DIR "/examples/startup-imperial.qbl");

// One main window over its own settings file and a scripted user.
struct Fixture {
    QTemporaryDir dir;
    std::unique_ptr<UserSettings> settings;
    ApplicationState state;
    ScriptedPrompts prompts;
    std::unique_ptr<MainWindow> window;

    explicit Fixture(const std::function<void(UserSettings&)>& before = {}) {
        settings = std::make_unique<UserSettings>(dir.filePath(QStringLiteral("settings.ini")));
        if (before)
            before(*settings);
        window = std::make_unique<MainWindow>(state, prompts, *settings);
        window->show();
    }
    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }
    template <class T>
    T* child(const char* name) const {
        return window->findChild<T*>(QLatin1String(name));
    }
    QAction* action(const char* name) const { return child<QAction>(name); }
    void trigger(const char* name) const {
        QAction* a = action(name);
        ASSERT_NE(a, nullptr) << name;
        a->trigger();
    }
    QString lastMessage() const {
        return prompts.messages.empty() ? QString() : prompts.messages.back().text;
    }
};

// Acts as the user at the progress window: clicks "Analysis Done" once the run has ended, or
// the close box when the checks refused the run.
class ProgressWindowCloser {
public:
    ProgressWindowCloser() {
        QObject::connect(&mTimer, &QTimer::timeout, [] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* dlg = qobject_cast<ProgressDialog*>(w);
                if (!dlg || !dlg->isVisible())
                    continue;
                if (dlg->analysisFinished())
                    QTest::mouseClick(dlg->findChild<QPushButton*>(QStringLiteral("StopButton")),
                                      Qt::LeftButton);
                else if (dlg->analysisRefused())
                    dlg->close();
            }
        });
        mTimer.start(10);
    }

private:
    QTimer mTimer;
};

// Acts as the user at the modal windows the commands open (other than the progress window):
// answers each with OK or Cancel as it appears and remembers which windows they were.
class ModalDialogCloser {
public:
    explicit ModalDialogCloser(bool accept = false) {
        QObject::connect(&mTimer, &QTimer::timeout, [this, accept] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog || qobject_cast<ProgressDialog*>(dialog))
                return;
            opened.push_back(QString::fromLatin1(dialog->metaObject()->className()));
            if (accept)
                dialog->accept();
            else
                dialog->reject();
        });
        mTimer.start(10);
    }
    std::vector<QString> opened;

private:
    QTimer mTimer;
};

void dropFiles(QWidget& target, const QStringList& paths) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& p : paths)
        urls.append(QUrl::fromLocalFile(p));
    data.setUrls(urls);
    const QPointF at(target.width() / 2.0, target.height() / 2.0);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &drop);
}

} // namespace

TEST(MainWindowTest, StartsWithTheStartUpModelAndTheResultCommandsDisabled) {
    Fixture f;
    EXPECT_EQ(f.window->windowTitle(), QStringLiteral("QUIBEL[*]"));
    EXPECT_TRUE(f.state.ModelSaved);
    EXPECT_TRUE(f.state.EnglishLanguage); // no setting yet
    EXPECT_EQ(f.child<QComboBox>("ComboBoxUnits")->currentIndex(), 1);
    EXPECT_EQ(f.child<QComboBox>("ComboBoxUnits")->currentText(), QStringLiteral("m - kN - ton"));
    EXPECT_EQ(f.child<QLabel>("LabelUnits")->text(), QStringLiteral("units:"));
    EXPECT_EQ(f.state.Model.M, startupModel().M);
    // The Results menu and the result tool buttons follow one rule.
    for (const char* name : {"ActionComputedData", "ActionResultHistories", "ActionAnimation",
                             "ButtonComputedData", "ButtonResultHistories", "ButtonAnimation"})
        EXPECT_FALSE(f.action(name)->isEnabled()) << name;
    f.trigger("ButtonComputedData");
    EXPECT_TRUE(f.prompts.messages.empty());
}

// The start-up geometry is complete in itself, but "Analyse" waits until the geometry and a
// history have been confirmed.
TEST(MainWindowTest, AnalyseReportsModelIncompleteUntilGeometryAndAHistoryAreConfirmed) {
    Fixture f;
    f.trigger("ActionAnalyse");
    ASSERT_EQ(f.prompts.messages.size(), 1u);
    EXPECT_EQ(f.prompts.messages[0].kind, MessageKind::Warning);
    const QString noGeometry =
        QStringLiteral("- the geometry was not confirmed (Parameters > Geometry)");
    const QString noHistory = QStringLiteral(
        "- no acceleration or force history is defined (Parameters > Time histories)");
    EXPECT_EQ(f.lastMessage(),
              QStringLiteral("Model incomplete\n%1\n%2").arg(noGeometry, noHistory));

    setFlag(f.state.Model.ModelFlags, ModelFlag::GeometryComplete, true);
    f.trigger("ActionAnalyse");
    EXPECT_EQ(f.prompts.messages.size(), 2u);
    EXPECT_EQ(f.lastMessage(), QStringLiteral("Model incomplete\n%1").arg(noHistory));

    struct Case {
        std::uint16_t flags;
        bool complete;
    } cases[] = {
        {ModelFlag::GeometryComplete, false},
        {ModelFlag::HorizontalAccDefined, false},
        {ModelFlag::GeometryComplete | ModelFlag::HorizontalAccDefined, true},
        {ModelFlag::GeometryComplete | ModelFlag::VerticalAccDefined, true},
        {ModelFlag::GeometryComplete | ModelFlag::HorizontalForceDefined, true},
        {ModelFlag::GeometryComplete | ModelFlag::VerticalForceDefined, true},
        {ModelFlag::GeometryComplete | ModelFlag::ReservoirPresent | ModelFlag::HasForces, false},
    };
    for (const Case& c : cases) {
        TBlocStatic m = startupModel();
        m.ModelFlags = c.flags;
        EXPECT_EQ(modelComplete(m), c.complete) << c.flags;
    }
}

TEST(MainWindowTest, LanguageSwitchSetsTheTextsAndClearsTheFileFromTheCaption) {
    Fixture f;
    f.window->openDroppedFiles({kExample});
    EXPECT_EQ(f.window->windowTitle(), QStringLiteral("QUIBEL [ %1 ][*]").arg(kExample));

    f.trigger("ActionFrench");
    EXPECT_FALSE(f.state.EnglishLanguage);
    EXPECT_EQ(f.window->windowTitle(), QStringLiteral("QUIBEL[*]"));
    EXPECT_EQ(f.child<QMenu>("MenuFile")->title(), QStringLiteral("&Fichier"));
    EXPECT_EQ(f.child<QMenu>("MenuRecent")->title(), QStringLiteral("Fichiers récents"));
    EXPECT_EQ(f.child<QLabel>("LabelUnits")->text(), QStringLiteral("unités:"));
    EXPECT_EQ(f.action("ButtonFullView")->text(), QStringLiteral("Voir tout"));
    EXPECT_EQ(f.action("ActionAnalyse")->text(), QStringLiteral("Démarrer l'analyse"));
    EXPECT_EQ(f.action("ActionHistory3")->text(), QStringLiteral("Force Verticale"));
    EXPECT_TRUE(f.action("ActionFrench")->isChecked());
    EXPECT_FALSE(f.action("ActionEnglish")->isChecked());
    const char* bars[] = {"ToolBarFiles", "ToolBarParameters", "ToolBarImage", "ToolBarAnalysis",
                          "ToolBarResults"};
    const char* french[] = {"Fichiers", "Paramètres", "Utilitaires d'image", "Analyse",
                            "Résultats"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(f.child<QToolBar>(bars[i])->windowTitle(), QString::fromUtf8(french[i]));
    // The drop-down of the time-history button keeps its English captions.
    EXPECT_EQ(f.action("ActionHistoryDrop0")->text(),
              QStringLiteral("Horizontal base acceleration"));

    f.trigger("ActionEnglish");
    EXPECT_EQ(f.child<QMenu>("MenuFile")->title(), QStringLiteral("&File"));
    EXPECT_EQ(f.action("ButtonFullView")->text(), QStringLiteral("Full view"));
}

// The language is written on every close and read by the next start.
TEST(MainWindowTest, LanguageIsRememberedFromOneStartToTheNext) {
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("settings.ini"));
    {
        UserSettings settings(ini);
        ApplicationState state;
        ScriptedPrompts prompts;
        MainWindow window(state, prompts, settings);
        window.show();
        window.setEnglishLanguage(false);
        EXPECT_TRUE(window.close());
    }
    UserSettings settings(ini);
    EXPECT_FALSE(settings.readEnglishLanguage());
    ApplicationState state;
    ScriptedPrompts prompts;
    MainWindow window(state, prompts, settings);
    window.show();
    EXPECT_FALSE(state.EnglishLanguage);
    EXPECT_EQ(window.findChild<QMenu*>(QStringLiteral("MenuHelp"))->title(),
              QStringLiteral("&Aide"));
}

TEST(MainWindowTest, RecentFileIsOpenedAndOneThatFailsLeavesTheList) {
    const QString missing = QStringLiteral("/nonexistent/gone.qbl");
    Fixture f([&](UserSettings& s) { s.writeRecentFiles({missing, kImperialExample}); });
    ASSERT_EQ(f.window->recentFiles().entries(), (QStringList{missing, kImperialExample}));
    ASSERT_NE(f.action("ActionRecent1"), nullptr);

    f.trigger("ActionRecent1");
    ASSERT_EQ(f.prompts.messages.size(), 1u);
    EXPECT_EQ(f.prompts.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(
        f.lastMessage(),
        QStringLiteral("Unable to read file.\n/nonexistent/gone.qbl: the file does not exist"));
    EXPECT_EQ(f.window->recentFiles().entries(), QStringList{kImperialExample});
    EXPECT_EQ(f.window->windowTitle(), QStringLiteral("QUIBEL[*]"));

    f.trigger("ActionRecent1");
    EXPECT_EQ(f.prompts.messages.size(), 1u);
    EXPECT_EQ(QString::fromStdString(f.state.Model.FileName), kImperialExample);
    EXPECT_EQ(f.window->windowTitle(), QStringLiteral("QUIBEL [ %1 ][*]").arg(kImperialExample));
    // The selector shows the file's system; the values are those of the file, unconverted.
    EXPECT_EQ(f.child<QComboBox>("ComboBoxUnits")->currentIndex(), 3);
    TBlocStatic fromFile;
    ReadFromFile(fromFile, kImperialExample.toStdString());
    EXPECT_EQ(f.state.Model.H, fromFile.H);

    // Closing stores the list that is left.
    EXPECT_TRUE(f.window->close());
    EXPECT_EQ(f.settings->readRecentFiles(), QStringList{kImperialExample});
}

TEST(MainWindowTest, FailedRecentFileInFrenchShowsTheFrenchMessage) {
    Fixture f([](UserSettings& s) {
        s.writeEnglishLanguage(false);
        s.writeRecentFiles({QStringLiteral("/nonexistent/a.qbl")});
    });
    f.trigger("ActionRecent1");
    EXPECT_EQ(f.lastMessage(), QString::fromUtf8("Impossible de lire correctement le fichier.\n"
                                                 "/nonexistent/a.qbl : le fichier n'existe pas"));
    EXPECT_FALSE(f.child<QMenu>("MenuRecent")->isEnabled());
}

TEST(MainWindowTest, OpenShowsAllFilesAndMarksTheModelSaved) {
    Fixture f;
    f.state.ModelSaved = false;
    f.prompts.yesNoCancelAnswers = {YesNoCancel::No}; // discard the unsaved work
    f.prompts.openNames = {kExample};
    f.trigger("ActionOpen");
    ASSERT_EQ(f.prompts.fileDialogs.size(), 1u);
    EXPECT_EQ(f.prompts.fileDialogs[0].filters, QStringList{QStringLiteral("all files (*)")});
    EXPECT_TRUE(f.state.ModelSaved);
    EXPECT_EQ(QString::fromStdString(f.state.Model.FileName), kExample);
    EXPECT_EQ(f.window->recentFiles().entries(), QStringList{kExample});
}

// Opening over unsaved work asks first; Cancel keeps the work and opens nothing.
TEST(MainWindowTest, OpenOverUnsavedWorkAsksAndCancelKeepsIt) {
    Fixture f;
    f.state.ModelSaved = false;
    f.state.Model.H = 21.5;
    f.prompts.yesNoCancelAnswers = {YesNoCancel::Cancel};
    f.prompts.openNames = {kExample};
    f.trigger("ActionOpen");
    ASSERT_EQ(f.prompts.questions.size(), 1u);
    EXPECT_TRUE(f.prompts.fileDialogs.empty());
    EXPECT_EQ(f.state.Model.H, 21.5);
    EXPECT_FALSE(f.state.ModelSaved);
}

TEST(MainWindowTest, DroppedFilesAreReadInTurnAndTheLastGoodOneStays) {
    Fixture f;
    QFile bad(f.path("damaged.qbl"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not a project");
    bad.close();
    dropFiles(*f.window, {kImperialExample, bad.fileName(), kExample, f.path("missing.qbl")});
    ASSERT_EQ(f.prompts.messages.size(), 2u);
    EXPECT_TRUE(f.prompts.messages[0].text.startsWith(
        QStringLiteral("Unable to read file.\n%1: it is not a QUIBEL").arg(bad.fileName())));
    EXPECT_TRUE(f.prompts.messages[1].text.endsWith(QStringLiteral("the file does not exist")));
    EXPECT_EQ(QString::fromStdString(f.state.Model.FileName), kExample);
    EXPECT_EQ(f.child<QComboBox>("ComboBoxUnits")->currentIndex(), 1);
    EXPECT_EQ(f.window->recentFiles().entries(), (QStringList{kExample, kImperialExample}));
    EXPECT_TRUE(f.state.ModelSaved);
}

TEST(MainWindowTest, ClosePromptFollowsTheAnswer) {
    struct Case {
        const char* name;
        YesNoCancel answer;
        bool nameGiven; // the Save dialog returns a name (else it is cancelled)
        bool closes;
        bool fileWritten;
    } cases[] = {
        {"yes, untitled, save cancelled", YesNoCancel::Yes, false, false, false},
        {"yes, untitled, saved", YesNoCancel::Yes, true, true, true},
        {"no", YesNoCancel::No, false, true, false},
        {"cancel", YesNoCancel::Cancel, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        f.state.ModelSaved = false;
        f.prompts.yesNoCancelAnswers = {c.answer};
        if (c.nameGiven)
            f.prompts.saveNames = {f.path("saved.qbl")};
        const bool closed = f.window->close();
        ASSERT_EQ(f.prompts.questions.size(), 1u);
        EXPECT_EQ(f.prompts.questions[0],
                  QStringLiteral("Do you want to save your work before closing QUIBEL?"));
        EXPECT_EQ(closed, c.closes);
        EXPECT_EQ(f.window->isVisible(), !c.closes);
        EXPECT_EQ(f.state.CloseCancelled, !c.closes);
        EXPECT_EQ(QFileInfo::exists(f.path("saved.qbl")), c.fileWritten);
        if (c.answer == YesNoCancel::Yes) {
            // Yes on an untitled model opens the Save dialog of project files.
            ASSERT_EQ(f.prompts.fileDialogs.size(), 1u);
            EXPECT_EQ(f.prompts.fileDialogs[0].filters,
                      QStringList{QStringLiteral("QUIBEL files (*.qbl)")});
            EXPECT_EQ(f.prompts.fileDialogs[0].defaultSuffix, QStringLiteral("qbl"));
        }
    }
}

// Closing after a save that failed would lose the work: the window stays.
TEST(MainWindowTest, SaveThatFailsOnCloseKeepsTheProgramOpen) {
    Fixture f;
    f.state.ModelSaved = false;
    f.state.Model.FileName = "/nonexistent/folder/model.qbl";
    f.prompts.yesNoCancelAnswers = {YesNoCancel::Yes};
    EXPECT_FALSE(f.window->close());
    EXPECT_TRUE(f.window->isVisible());
    ASSERT_EQ(f.prompts.messages.size(), 1u);
    EXPECT_EQ(f.prompts.messages[0].kind, MessageKind::Error);
    EXPECT_FALSE(f.state.ModelSaved);
    EXPECT_TRUE(f.window->recentFiles().isEmpty());
}

TEST(MainWindowTest, SaveAsWritesTheProjectAndNamesItInTheCaption) {
    Fixture f;
    f.state.ModelSaved = false;
    f.prompts.saveNames = {f.path("copy.qbl")};
    EXPECT_TRUE(f.window->saveFileAs());
    ASSERT_EQ(f.prompts.fileDialogs.size(), 1u);
    EXPECT_EQ(f.prompts.fileDialogs[0].title, QStringLiteral("Save as..."));
    EXPECT_TRUE(f.state.ModelSaved);
    EXPECT_EQ(f.window->windowTitle(), QStringLiteral("QUIBEL [ %1 ][*]").arg(f.path("copy.qbl")));
    TBlocStatic back;
    ReadFromFile(back, f.path("copy.qbl").toStdString());
    EXPECT_EQ(back.M, f.state.Model.M);
    EXPECT_EQ(back.H, f.state.Model.H);

    // Save then writes to the same file without asking.
    f.state.Model.H = 19.0;
    EXPECT_TRUE(f.window->saveFile());
    EXPECT_EQ(f.prompts.fileDialogs.size(), 1u);
    ReadFromFile(back, f.path("copy.qbl").toStdString());
    EXPECT_EQ(back.H, 19.0);
}

// A run stopped at its first step still counts as an analysis: the result commands open.
TEST(MainWindowTest, ResultCommandsAreEnabledAfterAStoppedRun) {
    Fixture f;
    f.window->setAnalysisStepFactory([](AnalysisKind) {
        auto step = std::make_unique<ScriptedAnalysisStep>();
        step->onStep = [](std::int64_t, RunControl& control) {
            control.requestStop(StopCause::Host);
        };
        return step;
    });
    f.state.Model = scriptedRunModel();
    ProgressWindowCloser closer;
    f.trigger("ActionAnalyse");
    EXPECT_TRUE(hasFlag(f.state.Model.ModelFlags, ModelFlag::ResultsValid));
    for (const char* name : {"ActionComputedData", "ActionResultHistories", "ActionAnimation",
                             "ButtonComputedData", "ButtonResultHistories", "ButtonAnimation"})
        EXPECT_TRUE(f.action(name)->isEnabled()) << name;
    ASSERT_TRUE(f.state.Model.SlidingDisp.has_value());
    EXPECT_EQ(f.state.Model.SlidingDisp->size(), 1); // the block at rest at time 0
    ModalDialogCloser user;
    f.trigger("ButtonResultHistories");
    EXPECT_TRUE(f.prompts.messages.empty());
    ASSERT_EQ(user.opened.size(), 1u);
    EXPECT_EQ(user.opened[0], QStringLiteral("quibel::ResultsDialog"));
}

// A run the checks refused made no results; the result commands stay closed.
TEST(MainWindowTest, RefusedRunLeavesTheResultCommandsDisabled) {
    Fixture f;
    f.window->setAnalysisStepFactory([](AnalysisKind) {
        auto step = std::make_unique<ScriptedAnalysisStep>();
        step->checks = {{MessageKind::Error, Message("ui.main.model_incomplete")}};
        return step;
    });
    f.state.Model = scriptedRunModel();
    ProgressWindowCloser closer;
    f.trigger("ActionAnalyse");
    EXPECT_FALSE(hasFlag(f.state.Model.ModelFlags, ModelFlag::ResultsValid));
    EXPECT_FALSE(f.action("ActionResultHistories")->isEnabled());
}

// The example project runs through the real sliding analysis: 2 s at 0.1 ms with a sample
// every 10 ms give 201 samples.
TEST(MainWindowTest, ExampleProjectRunsToTheEnd) {
    Fixture f;
    ASSERT_TRUE(f.window->openRecentFile(kExample));
    ProgressWindowCloser closer;
    f.trigger("ActionAnalyse");
    EXPECT_TRUE(f.prompts.messages.empty()) << f.lastMessage().toStdString();
    ASSERT_TRUE(f.state.Model.SlidingDisp.has_value());
    EXPECT_EQ(f.state.Model.SlidingDisp->size(), 201);
    EXPECT_TRUE(f.action("ActionAnimation")->isEnabled());

    // Results of another project are not those of the next one read.
    f.window->openDroppedFiles({kExample});
    EXPECT_FALSE(f.action("ActionAnimation")->isEnabled());
}

TEST(MainWindowTest, UnitSelectorConvertsTheModel) {
    Fixture f;
    const double h = f.state.Model.H;
    auto* units = f.child<QComboBox>("ComboBoxUnits");
    units->setCurrentIndex(0);
    emit units->activated(0);
    EXPECT_EQ(f.state.Model.UnitSystem, UnitSystem::MmNKg);
    EXPECT_DOUBLE_EQ(f.state.Model.H, h * 1000.0);
    // A unit change is a change of the project: the caption marks it until it is saved.
    EXPECT_FALSE(f.state.ModelSaved);
    EXPECT_TRUE(f.window->isWindowModified());
    f.prompts.saveNames = {f.path("units.qbl")};
    f.trigger("ActionSave");
    EXPECT_TRUE(f.state.ModelSaved);
    EXPECT_FALSE(f.window->isWindowModified());
}

TEST(MainWindowTest, MouseReadoutShowsModelCoordinates) {
    Fixture f;
    ChartWidget& chart = f.window->chart();
    emit chart.mouseMovedInChart(&chart, true, Qt::NoModifier, 12.3456, -7.5);
    EXPECT_EQ(f.child<QLabel>("LabelX")->text(), QStringLiteral("X =    12.346"));
    EXPECT_EQ(f.child<QLabel>("LabelElev")->text(), QStringLiteral("Elev. =    -7.500"));
}

TEST(MainWindowTest, ToolBarsAreDockedInOrderAndThreeCanBeHidden) {
    Fixture f;
    const char* bars[] = {"ToolBarFiles", "ToolBarParameters", "ToolBarImage", "ToolBarAnalysis",
                          "ToolBarResults"};
    const char* english[] = {"Files", "Parameters", "Image utilities", "Analysis", "Results"};
    int lastX = -1;
    for (int i = 0; i < 5; ++i) {
        auto* bar = f.child<QToolBar>(bars[i]);
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(f.window->toolBarArea(bar), Qt::TopToolBarArea);
        EXPECT_EQ(bar->windowTitle(), QLatin1String(english[i]));
        EXPECT_GT(bar->x(), lastX);
        lastX = bar->x();
        QAction* item = f.action(QStringLiteral("ActionToolBar%1").arg(i).toLatin1().constData());
        EXPECT_TRUE(item->isChecked());
        EXPECT_EQ(item->isEnabled(), i < 3);
    }
    f.action("ActionToolBar1")->trigger();
    EXPECT_FALSE(f.child<QToolBar>("ToolBarParameters")->isVisible());
    f.action("ActionToolBar1")->trigger();
    EXPECT_TRUE(f.child<QToolBar>("ToolBarParameters")->isVisible());
    EXPECT_TRUE(f.action("ButtonSelect")->isChecked());
}

TEST(MainWindowTest, TimeHistoryButtonOpensTheHistoryLastChosen) {
    Fixture f;
    ModalDialogCloser user; // cancels every time-history window
    EXPECT_EQ(f.window->defaultHistory(), HistoryKind::HorizontalAcceleration);
    f.trigger("ActionHistory2");
    EXPECT_EQ(f.window->defaultHistory(), HistoryKind::HorizontalForce);
    f.trigger("ActionHistoryDrop1");
    EXPECT_EQ(f.window->defaultHistory(), HistoryKind::VerticalAcceleration);
    QTest::mouseClick(f.child<QToolButton>("ButtonTimeHistories"), Qt::LeftButton, Qt::NoModifier,
                      QPoint(4, 4));
    EXPECT_EQ(f.window->defaultHistory(), HistoryKind::VerticalAcceleration);
    EXPECT_EQ(user.opened, std::vector<QString>(3, QStringLiteral("quibel::TimeHistoryDialog")));
    EXPECT_TRUE(f.state.ModelSaved); // all were cancelled
}

// OK in an input dialog marks the model unsaved and out of date; here the geometry, which
// lets "Analyse" through once a history is defined.
TEST(MainWindowTest, GeometryConfirmedWithOkMarksTheModelUnsaved) {
    Fixture f;
    setFlag(f.state.Model.ModelFlags, ModelFlag::ResultsValid, true);
    {
        ModalDialogCloser user(true);
        f.trigger("ActionGeometry");
        ASSERT_EQ(user.opened, std::vector<QString>{QStringLiteral("quibel::GeometryDialog")});
    }
    EXPECT_FALSE(f.state.ModelSaved);
    EXPECT_TRUE(hasFlag(f.state.Model.ModelFlags, ModelFlag::GeometryComplete));
    EXPECT_FALSE(hasFlag(f.state.Model.ModelFlags, ModelFlag::ResultsValid));
    {
        ModalDialogCloser user(false);
        f.state.ModelSaved = true;
        f.trigger("ActionOptions");
        EXPECT_EQ(user.opened,
                  std::vector<QString>{QStringLiteral("quibel::AnalysisOptionsDialog")});
    }
    EXPECT_TRUE(f.state.ModelSaved); // cancelled
}

TEST(MainWindowTest, ExportWritesTheDrawingInTheChosenFormat) {
    Fixture f;
    setFlag(f.state.Model.ModelFlags, ModelFlag::GeometryComplete, true);
    f.window->showFullView();
    struct Case {
        const char* chosen;
        const char* written;
    } cases[] = {{"dam.svg", "dam.svg"},
                 {"dam.png", "dam.png"},
                 {"dam.pdf", "dam.pdf"},
                 {"dam.wmf", "dam.wmf"},
                 {"dam.emf", "dam.wmf"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen);
        f.prompts.saveNames = {f.path(c.chosen)};
        f.trigger("ActionExportImage");
        EXPECT_GT(QFileInfo(f.path(c.written)).size(), 100);
        EXPECT_EQ(f.prompts.fileDialogs.back().defaultSuffix, QStringLiteral("wmf"));
    }
    EXPECT_EQ(f.prompts.fileDialogs.back().filters.first(),
              QStringLiteral("Windows metafile (*.wmf)"));
    EXPECT_TRUE(f.prompts.messages.empty());

    f.prompts.saveNames = {QStringLiteral("/nonexistent/folder/dam.svg")};
    f.trigger("ActionExportImage");
    ASSERT_EQ(f.prompts.messages.size(), 1u);
    EXPECT_EQ(f.prompts.messages[0].kind, MessageKind::Error);
}

// Print puts the dam drawing on one page.
TEST(MainWindowTest, PrintPrintsTheDrawing) {
    Fixture f;
    setFlag(f.state.Model.ModelFlags, ModelFlag::GeometryComplete, true);
    f.window->showFullView();
    const QString pdf = f.path("printed.pdf");
    f.prompts.preparePrinter = [pdf](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
    };
    f.trigger("ActionPrint");
    EXPECT_GT(QFileInfo(pdf).size(), 500);

    // A cancelled print dialog prints nothing.
    QFile::remove(pdf);
    f.prompts.acceptPrint = false;
    f.trigger("ActionPrint");
    EXPECT_FALSE(QFileInfo::exists(pdf));
}

// The analysis report: before a run it has the model and records only; after one, the run
// and its results; on paper, the same pages.
TEST(MainWindowTest, ReportCommandsWriteAndPrintTheAnalysisReport) {
    Fixture f;
    const QList<QAction*> file = f.child<QMenu>("MenuFile")->actions();
    for (const char* name : {"ActionExportReport", "ActionPrintReport"})
        EXPECT_TRUE(file.contains(f.action(name))) << name;
    EXPECT_EQ(f.action("ActionExportReport")->text(), QStringLiteral("Expor&t report (PDF)..."));
    ASSERT_TRUE(f.window->openRecentFile(kExample));
    f.prompts.saveNames = {f.path("before.pdf")};
    f.trigger("ActionExportReport");
    EXPECT_EQ(f.prompts.fileDialogs.back().defaultSuffix, QStringLiteral("pdf"));
    const std::string before = pdfText(f.path("before.pdf").toStdString());
    EXPECT_NE(before.find("No analysis was run"), std::string::npos);
    EXPECT_EQ(before.find("Key figures"), std::string::npos);

    ProgressWindowCloser closer;
    f.trigger("ActionAnalyse");
    f.prompts.saveNames = {f.path("after.pdf")};
    f.trigger("ActionExportReport");
    const std::string after = pdfText(f.path("after.pdf").toStdString());
    EXPECT_NE(after.find("The analysis completed at 2.000 s."), std::string::npos);
    EXPECT_NE(after.find("Key figures"), std::string::npos);

    const QString printed = f.path("printed.pdf");
    f.prompts.preparePrinter = [printed](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printed);
    };
    f.trigger("ActionPrintReport");
    const std::string paper = pdfText(printed.toStdString());
    EXPECT_NE(paper.find("Page 1 of"), std::string::npos);
    EXPECT_NE(paper.find("Key figures"), std::string::npos);
    EXPECT_TRUE(f.prompts.messages.empty()) << f.lastMessage().toStdString();

    f.prompts.saveNames = {QStringLiteral("/nonexistent/folder/report.pdf")};
    f.trigger("ActionExportReport");
    ASSERT_EQ(f.prompts.messages.size(), 1u);
    EXPECT_EQ(f.prompts.messages[0].kind, MessageKind::Error);
}

TEST(MainWindowTest, HelpOpensTheContentsAndF1OnAMenuItsTopic) {
    Fixture f;
    f.trigger("ActionHelpContents");
    auto* help = f.window->findChild<HelpWindow*>();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->currentPage().toString().endsWith(QLatin1String("/en/contents.html")));

    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(f.child<QMenu>("MenuFile"), &f1);
    EXPECT_TRUE(help->currentPage().toString().endsWith(QLatin1String("/en/210.html")));

    f.window->setEnglishLanguage(false);
    QApplication::sendEvent(f.child<QMenu>("MenuAnalysis"), &f1);
    EXPECT_TRUE(help->currentPage().toString().endsWith(QLatin1String("/fr/350.html")));

    f.trigger("ActionHelpHowTo");
    EXPECT_TRUE(help->currentPage().toString().endsWith(QLatin1String("/fr/how_to_use_help.html")));
}

TEST(MainWindowTest, DrawingHasTheSectionChartSetUp) {
    Fixture f;
    const auto* chart = f.child<ChartWidget>("DamSection");
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->cursor().shape(), Qt::CrossCursor);
    EXPECT_EQ(chart->XAxisPos(), XAxisPosition::Both);
    EXPECT_EQ(chart->YAxisPos(), YAxisPosition::Both);
    EXPECT_EQ(chart->gridStyle(), GridStyle::DotLines);
    EXPECT_EQ(chart->TextAlignment(), Qt::AlignHCenter);
    EXPECT_EQ(QList<int>({chart->LRim(), chart->RRim(), chart->TRim(), chart->BRim()}),
              QList<int>({40, 40, 32, 32}));
}

// Quit is the platform's Ctrl+Q, not Ctrl+X (Cut in every other program); About gives up
// Ctrl+A (Select All); no two commands share a key.
TEST(MainWindowTest, ShortcutsFollowThePlatform) {
    Fixture f;
    EXPECT_TRUE(
        f.action("ActionExit")->shortcuts().contains(QKeySequence(QStringLiteral("Ctrl+Q"))));
    EXPECT_TRUE(f.action("ActionAbout")->shortcuts().isEmpty());
    EXPECT_FALSE(f.action("ActionSaveAs")->shortcuts().isEmpty());
    QSet<QString> seen;
    for (QAction* a : f.window->findChildren<QAction*>())
        for (const QKeySequence& k : a->shortcuts()) {
            EXPECT_NE(k, QKeySequence(QStringLiteral("Ctrl+X"))) << a->objectName().toStdString();
            EXPECT_NE(k, QKeySequence(QStringLiteral("Ctrl+A"))) << a->objectName().toStdString();
            EXPECT_FALSE(seen.contains(k.toString())) << k.toString().toStdString();
            seen.insert(k.toString());
        }
}

// File > New offers to save unsaved work; Cancel keeps it, No gives the start-up model.
TEST(MainWindowTest, NewProjectAsksToSaveAndResetsToTheStartUpModel) {
    Fixture f;
    f.window->openDroppedFiles({kImperialExample});
    ASSERT_EQ(f.state.Model.UnitSystem, UnitSystem::FtKipKip);
    f.state.Model.H = 7;
    f.state.ModelSaved = false;
    EXPECT_EQ(f.action("ActionNew")->shortcuts().value(0), QKeySequence(QKeySequence::New));

    f.prompts.yesNoCancelAnswers = {YesNoCancel::Cancel};
    f.trigger("ActionNew");
    ASSERT_EQ(f.prompts.questions.size(), 1u);
    EXPECT_EQ(f.state.Model.H, 7);

    f.prompts.yesNoCancelAnswers = {YesNoCancel::No};
    f.trigger("ActionNew");
    EXPECT_EQ(f.prompts.questions.size(), 2u);
    EXPECT_EQ(f.state.Model.H, startupModel().H);
    EXPECT_EQ(f.state.Model.UnitSystem, UnitSystem::MKnTon);
    EXPECT_TRUE(f.state.Model.FileName.empty());
    EXPECT_TRUE(f.state.ModelSaved);
    EXPECT_EQ(f.window->windowTitle(), QStringLiteral("QUIBEL[*]"));
    EXPECT_EQ(f.child<QComboBox>("ComboBoxUnits")->currentIndex(), 1);
}

// The next window opens as the user left the last one: its size, its tool bars, the folder
// of each file dialog.
TEST(MainWindowTest, WindowStateAndFoldersAreRemembered) {
    Fixture f;
    EXPECT_GE(f.window->width(), 640);
    f.window->resize(900, 700);
    f.child<QToolBar>("ToolBarFiles")->hide();
    f.prompts.saveNames = {f.path("kept.qbl")};
    f.trigger("ActionSaveAs");
    f.prompts.saveNames = {f.path("drawing.svg")};
    f.trigger("ActionExportImage");
    ASSERT_TRUE(f.window->close());

    MainWindow next(f.state, f.prompts, *f.settings);
    next.show();
    EXPECT_EQ(next.size(), QSize(900, 700));
    EXPECT_FALSE(next.findChild<QToolBar*>(QStringLiteral("ToolBarFiles"))->isVisible());
    EXPECT_TRUE(next.findChild<QToolBar*>(QStringLiteral("ToolBarAnalysis"))->isVisible());
    f.prompts.openNames = {};
    next.findChild<QAction*>(QStringLiteral("ActionOpen"))->trigger();
    EXPECT_EQ(f.prompts.fileDialogs.back().directory, QFileInfo(f.dir.path()).absoluteFilePath());
}

// Qt's own dialogs (file and print dialogs, standard buttons) follow the chosen language.
TEST(MainWindowTest, QtDialogsFollowTheChosenLanguage) {
    Fixture f;
    f.trigger("ActionFrench");
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Annuler"));
    f.trigger("ActionEnglish");
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
}

// Every confirmed edit and unit change can be undone and redone; reading a project starts
// the history anew.
TEST(MainWindowTest, UndoAndRedoTakeBackModelEdits) {
    Fixture f;
    EXPECT_FALSE(f.action("ActionUndo")->isEnabled());
    EXPECT_FALSE(f.action("ActionRedo")->isEnabled());
    auto* units = f.child<QComboBox>("ComboBoxUnits");
    units->setCurrentIndex(0);
    emit units->activated(0);
    {
        ModalDialogCloser user(true);
        f.trigger("ActionGeometry");
    }
    EXPECT_EQ(f.action("ActionUndo")->text(), QStringLiteral("&Undo Geometry"));
    f.trigger("ActionUndo");
    EXPECT_EQ(f.action("ActionUndo")->text(), QStringLiteral("&Undo Unit system"));
    EXPECT_EQ(f.action("ActionRedo")->text(), QStringLiteral("&Redo Geometry"));
    EXPECT_FALSE(hasFlag(f.state.Model.ModelFlags, ModelFlag::GeometryComplete));
    f.trigger("ActionUndo");
    EXPECT_EQ(f.state.Model.UnitSystem, UnitSystem::MKnTon);
    EXPECT_EQ(f.state.Model.H, startupModel().H);
    EXPECT_EQ(units->currentIndex(), 1);
    EXPECT_FALSE(f.action("ActionUndo")->isEnabled());
    f.trigger("ActionRedo");
    EXPECT_EQ(f.state.Model.UnitSystem, UnitSystem::MmNKg);
    EXPECT_DOUBLE_EQ(f.state.Model.H, startupModel().H * 1000);
    EXPECT_FALSE(f.state.ModelSaved);

    f.state.ModelSaved = true;
    f.window->openDroppedFiles({kExample});
    EXPECT_FALSE(f.action("ActionUndo")->isEnabled());
    EXPECT_FALSE(f.action("ActionRedo")->isEnabled());
}

// A dialog closed with OK and nothing changed is still an edit, which Undo takes back; the
// edits around it share their inputs, and undoing and redoing across them restores each state.
TEST(MainWindowTest, AnOkThatChangesNothingIsUndoneLikeAnyEdit) {
    Fixture f;
    {
        ModalDialogCloser user(true);
        f.trigger("ActionGeometry");
    }
    const double edited = f.state.Model.H;
    {
        ModalDialogCloser user(true);
        f.trigger("ActionOptions");
    }
    EXPECT_EQ(f.action("ActionUndo")->text(), QStringLiteral("&Undo Options"));
    f.trigger("ActionUndo");
    EXPECT_EQ(f.action("ActionUndo")->text(), QStringLiteral("&Undo Geometry"));
    EXPECT_TRUE(hasFlag(f.state.Model.ModelFlags, ModelFlag::GeometryComplete));
    f.trigger("ActionUndo");
    EXPECT_FALSE(hasFlag(f.state.Model.ModelFlags, ModelFlag::GeometryComplete));
    f.trigger("ActionRedo");
    f.trigger("ActionRedo");
    EXPECT_TRUE(hasFlag(f.state.Model.ModelFlags, ModelFlag::GeometryComplete));
    EXPECT_EQ(f.state.Model.H, edited);
    EXPECT_FALSE(f.action("ActionRedo")->isEnabled());
}

// A 600 s record integrated and saved every 0.1 ms: 6 000 001 samples of the 11 series of a
// sliding run, 8 bytes each, are 528 MB; every second sample (0.2 ms) halves that to 264 MB,
// under the 300 MB the warning starts at. The user may stop there.
TEST(MainWindowTest, AnalyseWarnsBeforeAHugeRunAndSuggestsASaveStep) {
    Fixture f;
    TBlocStatic& m = f.state.Model;
    m.AnalysisKind = AnalysisKind::Sliding;
    setFlag(m.ModelFlags, ModelFlag::GeometryComplete, true);
    setFlag(m.ModelFlags, ModelFlag::HorizontalAccDefined, true);
    m.history(HistoryKind::HorizontalAcceleration).Source = HistorySource::Sampled;
    m.history(HistoryKind::HorizontalAcceleration).Duration = 600.0;
    m.Options.TimeStep = 1e-4;
    m.Options.SaveStep = 1e-4;
    const ResultMemory memory = resultMemory(m);
    EXPECT_EQ(memory.samples, 6'000'001);
    EXPECT_EQ(memory.series, 11);
    EXPECT_EQ(memory.bytes, 528'000'088);
    EXPECT_DOUBLE_EQ(memory.sufficientSaveStep, 2e-4);

    f.prompts.yesNoCancelAnswers = {YesNoCancel::No};
    f.trigger("ActionAnalyse");
    ASSERT_EQ(f.prompts.questions.size(), 1u);
    EXPECT_EQ(f.prompts.questions[0],
              QStringLiteral("The results of this analysis will take about 528 MB of memory "
                             "(6000001 samples of 11 series).\nA save step of 0.0002 s or more "
                             "keeps them under 300 MB (Options, save step).\nGo on with the "
                             "analysis?"));
    EXPECT_FALSE(hasFlag(m.ModelFlags, ModelFlag::ResultsValid));

    // Saved every 0.01 s the same run keeps 60 001 samples: 5.3 MB, asked about no more.
    m.Options.SaveStep = 0.01;
    EXPECT_EQ(resultMemory(m).bytes, 60'001 * 11 * 8);
    EXPECT_LT(resultMemory(m).bytes, kLargeResultBytes);
}
