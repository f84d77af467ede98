#pragma once

#include "model/enums.h"
#include "ui/analysis_dialog.h"
#include "ui/recent_files.h"

#include <QMainWindow>

#include <memory>
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

namespace quibel {

struct ApplicationState;
class TRChart;
class UserPrompts;
class UserSettings;

/// The main window: the dam section on a chart filling the client area, the main menu in
/// the user's language, five dockable tool bars, and a status bar with the unit selector and
/// the mouse position. It owns the file commands, the recent-files list, the language switch,
/// the gates in front of the analysis and the result views, and the close prompt.
///
/// Every command is a public slot, so that tests and the tool bars call the same operation as
/// the menu. The input dialogs, time-history dialogs and result views are opened by the
/// open...Dialog functions (main_window_dialogs.cpp); each returns true when the user
/// confirmed the dialog with OK, and the command then does the rest (ModelSaved, redraw).
class TMainForm final : public QMainWindow {
    Q_OBJECT
public:
    /// state, prompts and settings must outlive the window. The language is read from
    /// settings here; the model is set to its start-up state when the window is first shown.
    TMainForm(ApplicationState& state, UserPrompts& prompts, UserSettings& settings,
              QWidget* parent = nullptr);
    ~TMainForm() override;

    /// The step functions the progress window runs (tests give their own).
    void setAnalysisStepFactory(AnalysisStepFactory factory) { mStepFactory = std::move(factory); }

    TRChart& chart() const noexcept { return *mChart; }
    const RecentFiles& recentFiles() const noexcept { return mRecent; }
    /// The time history the time-history tool button opens.
    HistoryKind defaultHistory() const noexcept { return mDefaultHistory; }

public slots:
    // File
    void FileOpenClick();
    /// true when the model was written; false when cancelled (CloseCancelled is then set) or
    /// when writing failed.
    bool FileSaveClick();
    bool FileSaveAsClick();
    void FileExportImageClick();
    void FilePrintClick();
    void FilePrintSetupClick();
    void FileExitClick();
    /// Reads a file of the recent-files list; a file that cannot be read leaves the list.
    bool openRecentFile(const QString& path);
    /// Reads dropped files in turn; the last one read stays loaded.
    void openDroppedFiles(const QStringList& paths);
    /// Opens path as given on the command line (as a dropped file).
    void openStartupFile(const QString& path);
    // Edit
    void EditUndoClick();
    void EditCopyClick();
    // Parameters
    void GeometryClick();
    void ForcesClick();
    void MassesClick();
    void TimeHistoryClick(quibel::HistoryKind kind);
    /// The time-history tool button: the history last opened.
    void TimeHistoryButtonClick();
    // Analysis
    void OptionsClick();
    void AnalyseClick();
    // Results
    void ComputedDataClick();
    void ResultHistoriesClick();
    void AnimationClick();
    // Options
    void setEnglishLanguage(bool english);
    // Help
    void HelpContentsClick();
    void HelpSearchClick();
    void HelpHowToClick();
    void AboutClick();
    // Image utilities
    void FullViewClick();
    /// The unit selector chose system index: converts the model and redraws.
    void ComboBoxUnitsChange(int index);

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
    void retext(QAction* action, std::string_view key);
    void updateResultCommands();
    void rebuildRecentMenu();
    void setCaption();
    void showUnitSystem();
    void redrawSection(bool fullView);
    void modelEdited();
    void chartZoomPan();
    void chartMouseMove(bool inChart, double x, double y);
    void setMouseAction(int mode);

    /// Asks to save unsaved work before another project replaces it; false when the user
    /// cancels (or the save fails) and the project must stay.
    bool confirmReplaceModel();
    /// Reads path into the model; on failure shows "Unable to read file." and returns false.
    bool readProjectFile(const QString& path);
    /// Writes the model to path; on failure shows the error and returns false.
    bool writeProjectFile(const QString& path);
    /// The Save dialog of a project file, with title; empty when cancelled.
    QString askProjectFileName(const QString& title);
    void resultsGate(bool (TMainForm::*openView)());

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

    ApplicationState& mState;
    UserPrompts& mPrompts;
    UserSettings& mSettings;
    AnalysisStepFactory mStepFactory;
    RecentFiles mRecent;
    HistoryKind mDefaultHistory = HistoryKind::HorizontalAcceleration;
    bool mFirstShow = true;
    bool mRedrawAfterRun = false;
    std::unique_ptr<QPrinter> mPrinter;

    TRChart* mChart = nullptr;
    QComboBox* mComboBoxUnits = nullptr;
    QLabel* mLabelUnits = nullptr;
    QLabel* mLabelX = nullptr;
    QLabel* mLabelElev = nullptr;

    QMenu* mMenuFile = nullptr;
    QMenu* mMenuEdit = nullptr;
    QMenu* mMenuParameters = nullptr;
    QMenu* mMenuHistories = nullptr;
    QMenu* mMenuAnalysis = nullptr;
    QMenu* mMenuResults = nullptr;
    QMenu* mMenuOptions = nullptr;
    QMenu* mMenuToolBars = nullptr;
    QMenu* mMenuLanguage = nullptr;
    QMenu* mMenuHelp = nullptr;
    QMenu* mMenuRecent = nullptr;
    QMenu* mHistoryDropDown = nullptr;

    QAction* mOpen = nullptr;
    QAction* mSave = nullptr;
    QAction* mSaveAs = nullptr;
    QAction* mExportImage = nullptr;
    QAction* mPrint = nullptr;
    QAction* mPrintSetup = nullptr;
    QAction* mExit = nullptr;
    QAction* mUndo = nullptr;
    QAction* mCopy = nullptr;
    QAction* mGeometry = nullptr;
    QAction* mForces = nullptr;
    QAction* mMasses = nullptr;
    QAction* mHistory[4] = {};
    QAction* mHistoryDrop[4] = {};
    QAction* mOptions = nullptr;
    QAction* mAnalyse = nullptr;
    QAction* mComputedData = nullptr;          // menu item, enabled with the results
    QAction* mResultHistories = nullptr;       // menu item, enabled with the results
    QAction* mAnimation = nullptr;             // menu item, enabled with the results
    QAction* mComputedDataButton = nullptr;    // tool button, always enabled
    QAction* mResultHistoriesButton = nullptr; // tool button, always enabled
    QAction* mAnimationButton = nullptr;       // tool button, always enabled
    QAction* mToolBarItem[5] = {};
    QAction* mEnglish = nullptr;
    QAction* mFrench = nullptr;
    QAction* mHelpContents = nullptr;
    QAction* mHelpSearch = nullptr;
    QAction* mHelpHowTo = nullptr;
    QAction* mAbout = nullptr;
    QAction* mSelect = nullptr;
    QAction* mPan = nullptr;
    QAction* mZoom = nullptr;
    QAction* mFullView = nullptr;
    QActionGroup* mMouseGroup = nullptr;
    QActionGroup* mLanguageGroup = nullptr;
    QToolButton* mHistoryButton = nullptr;

    QToolBar* mToolBars[5] = {};
};

} // namespace quibel
