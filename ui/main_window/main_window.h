// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/enums.h"
#include "model/project_record.h"
#include "ui/main_window/main_window_command_table.h"
#include "ui/main_window/model_snapshot_command.h"
#include "ui/main_window/progress_dialog.h"
#include "ui/main_window/recent_files.h"

#include <QMainWindow>

#include <array>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

class QAction;
class QActionGroup;
class QComboBox;
class QLabel;
class QMenu;
class QPrinter;
class QToolBar;
class QToolButton;
class QUndoStack;

namespace quibel {

struct ApplicationState;
class ChartWidget;
/// What dragging the mouse over the drawing does: read positions, pan, zoom to a window.
enum class ChartMouseMode { Select, Pan, Zoom };
class UserPrompts;
class UserSettings;

/// The main window: the dam section on a chart filling the client area, the main menu in
/// the user's language, five dockable tool bars, and a status bar with the unit selector and
/// the mouse position. It owns the file commands, the recent-files list, the language switch,
/// the gates in front of the analysis and the result views, and the close prompt.
///
/// Every command is a public slot, so that tests and the tool bars call the same operation as
/// the menu; the table of main_window_command_table.cpp gives each its action, menu item,
/// tool button, shortcut, icon, help topic and enabling rule. The input dialogs, time-history
/// dialogs and result views are opened by the open...Dialog functions (main_window_dialogs.cpp);
/// each returns true when the user confirmed the dialog with OK, and the command then does the rest
/// (ModelSaved, redraw).
class MainWindow final : public QMainWindow {
    Q_OBJECT
public:
    /// state, prompts and settings must outlive the window. The language is read from
    /// settings here; the model is set to its start-up state when the window is first shown.
    MainWindow(ApplicationState& state, UserPrompts& prompts, UserSettings& settings,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    /// The step functions the progress window runs (tests give their own).
    void setAnalysisStepFactory(AnalysisStepFactory factory) { mStepFactory = std::move(factory); }

    ChartWidget& chart() const noexcept { return *mChart; }
    const RecentFiles& recentFiles() const noexcept { return mRecent; }
    /// The time history the time-history tool button opens.
    HistoryKind defaultHistory() const noexcept { return mDefaultHistory; }

public slots:
    // File
    /// File > New: the start-up model, untitled, after offering to save unsaved work.
    void newProject();
    void openFile();
    /// true when the model was written; false when cancelled (CloseCancelled is then set) or
    /// when writing failed.
    bool saveFile();
    bool saveFileAs();
    void exportImage();
    void printDrawing();
    void setUpPrinter();
    /// The analysis report of the model and its last run as a PDF file, or on the printer.
    void exportReport();
    void printReport();
    void exitProgram();
    /// Reads a file of the recent-files list; a file that cannot be read leaves the list.
    bool openRecentFile(const QString& path);
    /// Reads dropped files in turn; the last one read stays loaded.
    void openDroppedFiles(const QStringList& paths);
    /// Opens path as given on the command line (as a dropped file).
    void openStartupFile(const QString& path);
    // Edit
    /// Undoes in the control with the keyboard focus when it has an undo of its own, else
    /// the last model edit.
    void undoInFocus();
    void redoEdit();
    void copyDrawing();
    // Parameters
    void editGeometry();
    void editForces();
    void editMasses();
    void editTimeHistory(quibel::HistoryKind kind);
    /// The time-history tool button: the history last opened.
    void editLastTimeHistory();
    // Analysis
    void editOptions();
    void runAnalysis();
    /// Analysis > Study...: runs a study file with the command-line tool (study_dialog.h).
    void runStudy();
    // Results
    void showComputedData();
    void showResultHistories();
    void showAnimation();
    // Options
    void setEnglishLanguage(bool english);
    // Help
    void showHelpContents();
    void showHelpSearch();
    void showHelpHowTo();
    void showAbout();
    // Image utilities
    void setChartMouseMode(quibel::ChartMouseMode mode);
    void showFullView();
    /// The unit selector chose system index: converts the model and redraws.
    void selectUnitSystem(int index);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createToolBars();
    void createStatusBar();
    void applyTexts();
    void updateResultCommands();
    void rebuildRecentMenu();
    void setCaption();
    /// Keeps the folder of a file chosen in the file dialog named dialog (none when empty).
    void rememberFolder(const QString& dialog, const QString& chosen);
    /// Sets ModelSaved and the caption's mark of unsaved changes.
    void setModelSaved(bool saved);
    void showUnitSystem();
    void redrawSection(bool fullView);
    /// After an edit confirmed with OK (or a unit change): ModelSaved cleared, the result
    /// commands updated, and the edit put on the undo stack under the catalogue text of
    /// labelKey.
    void modelEdited(std::string_view labelKey);
    /// A model read, made new or restored by undo is where the undo history starts.
    void restartUndo();
    void editUndoneOrRedone(const ModelSnapshot& restored);
    void updateUndoCommands();
    void chartZoomPan();
    void chartMouseMove(bool inChart, double x, double y);

    /// Asks to save unsaved work before another project replaces it; false when the user
    /// cancels (or the save fails) and the project must stay.
    bool confirmReplaceModel();
    /// Reads path into the model; on failure shows "Unable to read file." and returns false.
    bool readProjectFile(const QString& path);
    /// Writes the model to path; on failure shows the error and returns false.
    bool writeProjectFile(const QString& path);
    /// The Save dialog of a project file, with title; empty when cancelled.
    QString askProjectFileName(const QString& title);
    void resultsGate(bool (MainWindow::*openView)());
    /// Whether a run whose results would take much memory is to go on (the user is asked).
    bool largeRunAccepted();

    // The windows opened by the commands (main_window_dialogs.cpp); true on OK.
    bool openGeometryDialog();
    bool openForcesDialog();
    bool openMassesDialog();
    bool openTimeHistoryDialog(HistoryKind kind);
    bool openOptionsDialog();
    bool openComputedDataView();
    bool openResultsView();
    bool openAnimationView();

    QString text(std::string_view key) const;
    QMenu* menu(CommandMenu id) const { return mMenus[static_cast<std::size_t>(id)]; }

    ApplicationState& mState;
    UserPrompts& mPrompts;
    UserSettings& mSettings;
    AnalysisStepFactory mStepFactory;
    RecentFiles mRecent;
    HistoryKind mDefaultHistory = HistoryKind::HorizontalAcceleration;
    bool mFirstShow = true;
    bool mRedrawAfterRun = false;
    std::unique_ptr<QPrinter> mPrinter;
    std::optional<ReportRunLog> mLastRun; ///< the last run past its checks, for the report
    QUndoStack* mUndoStack = nullptr;
    ModelSnapshot mCommitted; ///< the inputs the last edit left, the "before" of the next

    ChartWidget* mChart = nullptr;
    QComboBox* mUnitSelector = nullptr;
    QLabel* mUnitsLabel = nullptr;
    QLabel* mXLabel = nullptr;
    QLabel* mElevationLabel = nullptr;

    /// One action per row of mainWindowCommands(), in its order.
    std::vector<QAction*> mCommands;
    std::array<QMenu*, kCommandMenuCount> mMenus{};
    std::array<QToolBar*, kToolBarCount> mToolBars{};
    std::array<QAction*, kToolBarCount> mToolBarItems{};
    QToolButton* mHistoryButton = nullptr;
};

} // namespace quibel
