#include "ui/main_window.h"

#include "chart/trchart.h"
#include "model/unit_tables.h"
#include "ui/analysis_gate.h"
#include "ui/application_state.h"
#include "ui/help_topics.h"
#include "ui/help_window.h"
#include "ui/ui_text.h"
#include "ui/user_settings.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>

#include <algorithm>

namespace quibel {

namespace {
// Property names on menus and actions.
constexpr const char* kHelpTopics = "quibelHelpTopics"; // QList<int>{English, French}
constexpr const char* kHistoryKind = "quibelHistoryKind";

// Menu captions and the tool-bar items of the Options menu, in tool-bar order.
constexpr std::string_view kToolBarCaption[5] = {
    "ui.main.toolbar.files", "ui.main.toolbar.parameters", "ui.main.toolbar.image",
    "ui.main.toolbar.analysis", "ui.main.toolbar.results"};
constexpr std::string_view kToolBarItem[5] = {
    "ui.main.toolbar_item.files", "ui.main.toolbar_item.parameters", "ui.main.toolbar_item.image",
    "ui.main.toolbar_item.analysis", "ui.main.toolbar_item.results"};
constexpr const char* kToolBarName[5] = {"ToolBarFiles", "ToolBarParameters", "ToolBarImage",
                                         "ToolBarAnalysis", "ToolBarResults"};
constexpr std::string_view kHistoryKey[4] = {"ui.main.history.0", "ui.main.history.1",
                                             "ui.main.history.2", "ui.main.history.3"};

QIcon icon(const char* name) {
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
}

void setHelpTopics(QObject* o, const int (&topics)[2]) {
    o->setProperty(kHelpTopics, QVariant::fromValue(QList<int>{topics[0], topics[1]}));
}
} // namespace

TMainForm::TMainForm(ApplicationState& state, UserPrompts& prompts, UserSettings& settings,
                     QWidget* parent)
    : QMainWindow(parent), mState(state), mPrompts(prompts), mSettings(settings) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowIcon(icon("quibel"));
    setAcceptDrops(true);

    mChart = new TRChart(this);
    mChart->setObjectName(QStringLiteral("CADDraw"));
    mChart->installEventFilter(this);
    setCentralWidget(mChart);
    connect(mChart, &TRChart::OnZoomPan, this, [this](TRChart*) { chartZoomPan(); });
    connect(mChart, &TRChart::OnMouseMoveInChart, this,
            [this](TRChart*, bool inChart, Qt::KeyboardModifiers, double x, double y) {
                chartMouseMove(inChart, x, y);
            });

    createActions();
    createMenus();
    createToolBars();
    createStatusBar();

    mState.EnglishLanguage = mSettings.readEnglishLanguage();
    applyTexts();

    // Client area of 632 x 447 at first, wide enough for the tool bars in one row, never
    // smaller than 640 x 450 overall.
    setMinimumSize(640, 450);
    int toolBarsWidth = 0;
    for (QToolBar* bar : mToolBars)
        toolBarsWidth += bar->sizeHint().width();
    resize(QSize(std::max(632, toolBarsWidth + 16), 447 + menuBar()->sizeHint().height() +
                                                        mToolBars[0]->sizeHint().height() +
                                                        statusBar()->sizeHint().height()));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    // The result commands follow ResultsValid every time the active window changes.
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this] { updateResultCommands(); });
}

TMainForm::~TMainForm() = default;

QString TMainForm::text(std::string_view key) const {
    return uiText(mState.language(), key);
}

void TMainForm::createActions() {
    auto make = [this](const char* name, const QKeySequence& shortcut, auto slot,
                       const char* iconName = nullptr) {
        auto* a = new QAction(this);
        a->setObjectName(QLatin1String(name));
        if (!shortcut.isEmpty())
            a->setShortcut(shortcut);
        if (iconName)
            a->setIcon(icon(iconName));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    mOpen =
        make("ActionOpen", QKeySequence(Qt::CTRL | Qt::Key_O), &TMainForm::FileOpenClick, "open");
    mSave = make(
        "ActionSave", QKeySequence(Qt::CTRL | Qt::Key_S), [this] { FileSaveClick(); }, "save");
    mSaveAs = make("ActionSaveAs", {}, [this] { FileSaveAsClick(); });
    mExportImage = make("ActionExportImage", {}, &TMainForm::FileExportImageClick);
    mPrint = make("ActionPrint", QKeySequence(Qt::CTRL | Qt::Key_P), &TMainForm::FilePrintClick);
    mPrintSetup = make("ActionPrintSetup", {}, &TMainForm::FilePrintSetupClick);
    mExit = make("ActionExit", QKeySequence(Qt::CTRL | Qt::Key_X), &TMainForm::FileExitClick);
    mUndo = make("ActionUndo", QKeySequence(Qt::CTRL | Qt::Key_Z), &TMainForm::EditUndoClick);
    mCopy = make("ActionCopy", QKeySequence(Qt::CTRL | Qt::Key_C), &TMainForm::EditCopyClick);
    mGeometry =
        make("ActionGeometry", QKeySequence(Qt::Key_F2), &TMainForm::GeometryClick, "geometry");
    mForces = make("ActionForces", QKeySequence(Qt::Key_F3), &TMainForm::ForcesClick, "forces");
    mMasses = make("ActionMasses", QKeySequence(Qt::Key_F4), &TMainForm::MassesClick, "masses");
    const Qt::Key historyKeys[4] = {Qt::Key_F5, Qt::Key_F6, Qt::Key_F7, Qt::Key_F8};
    for (int k = 0; k < 4; ++k) {
        const auto kind = static_cast<HistoryKind>(k);
        mHistory[k] = make(QStringLiteral("ActionHistory%1").arg(k).toLatin1().constData(),
                           QKeySequence(historyKeys[k]), [this, kind] { TimeHistoryClick(kind); });
        mHistory[k]->setProperty(kHistoryKind, k);
        mHistoryDrop[k] = make(QStringLiteral("ActionHistoryDrop%1").arg(k).toLatin1().constData(),
                               {}, [this, kind] { TimeHistoryClick(kind); });
        mHistoryDrop[k]->setProperty(kHistoryKind, k);
        mHistoryDrop[k]->setProperty(kHelpTopics,
                                     QVariant::fromValue(QList<int>{HelpContext::HistoryItem[k],
                                                                    HelpContext::HistoryItem[k]}));
        // The drop-down keeps its English captions in both languages.
        mHistoryDrop[k]->setText(uiText(Language::English, kHistoryKey[k]));
    }
    mOptions = make("ActionOptions", QKeySequence(Qt::Key_F9), &TMainForm::OptionsClick, "options");
    mAnalyse =
        make("ActionAnalyse", QKeySequence(Qt::Key_F10), &TMainForm::AnalyseClick, "analyse");
    mComputedData = make("ActionComputedData", {}, &TMainForm::ComputedDataClick, "computed_data");
    mResultHistories = make("ActionResultHistories", QKeySequence(Qt::Key_F11),
                            &TMainForm::ResultHistoriesClick, "result_histories");
    mAnimation =
        make("ActionAnimation", QKeySequence(Qt::Key_F12), &TMainForm::AnimationClick, "animation");
    mComputedDataButton =
        make("ButtonComputedData", {}, &TMainForm::ComputedDataClick, "computed_data");
    mResultHistoriesButton =
        make("ButtonResultHistories", {}, &TMainForm::ResultHistoriesClick, "result_histories");
    mAnimationButton = make("ButtonAnimation", {}, &TMainForm::AnimationClick, "animation");

    mEnglish = make("ActionEnglish", {}, [this] { setEnglishLanguage(true); });
    mFrench = make("ActionFrench", {}, [this] { setEnglishLanguage(false); });
    mLanguageGroup = new QActionGroup(this);
    for (QAction* a : {mEnglish, mFrench}) {
        a->setCheckable(true);
        mLanguageGroup->addAction(a);
    }
    mEnglish->setText(uiText(Language::English, "ui.main.english"));
    mFrench->setText(uiText(Language::French, "ui.main.french"));

    mHelpContents =
        make("ActionHelpContents", QKeySequence(Qt::Key_F1), &TMainForm::HelpContentsClick);
    mHelpSearch = make("ActionHelpSearch", {}, &TMainForm::HelpSearchClick);
    mHelpHowTo = make("ActionHelpHowTo", {}, &TMainForm::HelpHowToClick);
    mAbout = make("ActionAbout", QKeySequence(Qt::CTRL | Qt::Key_A), &TMainForm::AboutClick);

    mSelect = make(
        "ButtonSelect", {}, [this] { setMouseAction(0); }, "select");
    mPan = make(
        "ButtonPan", {}, [this] { setMouseAction(1); }, "pan");
    mZoom = make(
        "ButtonZoom", {}, [this] { setMouseAction(2); }, "zoom");
    mMouseGroup = new QActionGroup(this);
    for (QAction* a : {mSelect, mPan, mZoom}) {
        a->setCheckable(true);
        mMouseGroup->addAction(a);
    }
    mSelect->setChecked(true);
    mFullView = make("ButtonFullView", {}, &TMainForm::FullViewClick, "full_view");
}

void TMainForm::createMenus() {
    QMenuBar* bar = menuBar();
    auto menu = [this, bar](const char* name, const int(&topics)[2]) {
        QMenu* m = bar->addMenu(QString());
        m->setObjectName(QLatin1String(name));
        setHelpTopics(m, topics);
        m->installEventFilter(this);
        return m;
    };
    mMenuFile = menu("MenuFile", HelpContext::FileMenu);
    mMenuFile->addAction(mOpen);
    mMenuFile->addAction(mSave);
    mMenuFile->addAction(mSaveAs);
    mMenuFile->addSeparator();
    mMenuFile->addAction(mExportImage);
    mMenuFile->addSeparator();
    mMenuFile->addAction(mPrint);
    mMenuFile->addAction(mPrintSetup);
    mMenuFile->addSeparator();
    mMenuRecent = mMenuFile->addMenu(QString());
    mMenuRecent->setObjectName(QStringLiteral("MenuRecent"));
    setHelpTopics(mMenuRecent, HelpContext::FileMenu);
    mMenuRecent->installEventFilter(this);
    mMenuFile->addSeparator();
    mMenuFile->addAction(mExit);

    mMenuEdit = menu("MenuEdit", HelpContext::EditMenu);
    mMenuEdit->addAction(mUndo);
    mMenuEdit->addAction(mCopy);

    mMenuParameters = menu("MenuParameters", HelpContext::ParametersMenu);
    mMenuParameters->addAction(mGeometry);
    mMenuParameters->addAction(mForces);
    mMenuParameters->addAction(mMasses);
    mMenuHistories = mMenuParameters->addMenu(icon("histories"), QString());
    mMenuHistories->setObjectName(QStringLiteral("MenuHistories"));
    setHelpTopics(mMenuHistories, HelpContext::ParametersMenu);
    mMenuHistories->installEventFilter(this);
    for (QAction* a : mHistory)
        mMenuHistories->addAction(a);

    mMenuAnalysis = menu("MenuAnalysis", HelpContext::AnalysisMenu);
    mMenuAnalysis->addAction(mOptions);
    mMenuAnalysis->addAction(mAnalyse);

    mMenuResults = menu("MenuResults", HelpContext::ResultsMenu);
    mMenuResults->addAction(mComputedData);
    mMenuResults->addAction(mResultHistories);
    mMenuResults->addAction(mAnimation);

    mMenuOptions = menu("MenuOptions", HelpContext::OptionsMenu);
    mMenuToolBars = mMenuOptions->addMenu(QString());
    mMenuToolBars->setObjectName(QStringLiteral("MenuToolBars"));
    setHelpTopics(mMenuToolBars, HelpContext::OptionsMenu);
    mMenuToolBars->installEventFilter(this);
    for (int i = 0; i < 5; ++i) {
        mToolBarItem[i] = mMenuToolBars->addAction(QString());
        mToolBarItem[i]->setObjectName(QStringLiteral("ActionToolBar%1").arg(i));
        mToolBarItem[i]->setCheckable(true);
        mToolBarItem[i]->setChecked(true);
        // The Analysis and Results tool bars cannot be hidden.
        mToolBarItem[i]->setEnabled(i < 3);
    }
    mMenuLanguage = mMenuOptions->addMenu(QString());
    mMenuLanguage->setObjectName(QStringLiteral("MenuLanguage"));
    setHelpTopics(mMenuLanguage, HelpContext::OptionsMenu);
    mMenuLanguage->installEventFilter(this);
    mMenuLanguage->addAction(mEnglish);
    mMenuLanguage->addAction(mFrench);

    mMenuHelp = menu("MenuHelp", HelpContext::HelpMenu);
    mMenuHelp->addAction(mHelpContents);
    mMenuHelp->addAction(mHelpSearch);
    mMenuHelp->addAction(mHelpHowTo);
    mMenuHelp->addSeparator();
    mMenuHelp->addAction(mAbout);
}

void TMainForm::createToolBars() {
    for (int i = 0; i < 5; ++i) {
        mToolBars[i] = new QToolBar(this);
        mToolBars[i]->setObjectName(QLatin1String(kToolBarName[i]));
        mToolBars[i]->setMovable(true);
        mToolBars[i]->setFloatable(true);
        mToolBars[i]->setIconSize(QSize(24, 24));
        addToolBar(Qt::TopToolBarArea, mToolBars[i]);
        QAction* item = mToolBarItem[i];
        QToolBar* bar = mToolBars[i];
        connect(item, &QAction::toggled, bar, &QToolBar::setVisible);
        connect(bar, &QToolBar::visibilityChanged, item, [item, bar] {
            // A tool bar closed from its own context menu unchecks its item.
            if (!bar->isHidden() != item->isChecked() && item->isEnabled())
                item->setChecked(!bar->isHidden());
        });
    }
    // The two last bars cannot be hidden from their context menu either.
    for (int i = 3; i < 5; ++i)
        mToolBars[i]->toggleViewAction()->setEnabled(false);

    mToolBars[0]->addAction(mOpen);
    mToolBars[0]->addAction(mSave);

    mToolBars[1]->addAction(mGeometry);
    mToolBars[1]->addAction(mForces);
    mToolBars[1]->addAction(mMasses);
    mHistoryDropDown = new QMenu(this);
    mHistoryDropDown->setObjectName(QStringLiteral("HistoryDropDown"));
    mHistoryDropDown->installEventFilter(this);
    for (QAction* a : mHistoryDrop)
        mHistoryDropDown->addAction(a);
    mHistoryButton = new QToolButton(this);
    mHistoryButton->setObjectName(QStringLiteral("ButtonTimeHistories"));
    mHistoryButton->setIcon(icon("histories"));
    mHistoryButton->setMenu(mHistoryDropDown);
    mHistoryButton->setPopupMode(QToolButton::MenuButtonPopup);
    connect(mHistoryButton, &QToolButton::clicked, this, &TMainForm::TimeHistoryButtonClick);
    mToolBars[1]->addWidget(mHistoryButton);

    mToolBars[2]->addAction(mSelect);
    mToolBars[2]->addAction(mPan);
    mToolBars[2]->addAction(mZoom);
    mToolBars[2]->addSeparator();
    mToolBars[2]->addAction(mFullView);
    if (auto* b = qobject_cast<QToolButton*>(mToolBars[2]->widgetForAction(mFullView)))
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);

    mToolBars[3]->addAction(mOptions);
    mToolBars[3]->addAction(mAnalyse);

    mToolBars[4]->addAction(mComputedDataButton);
    mToolBars[4]->addAction(mResultHistoriesButton);
    mToolBars[4]->addAction(mAnimationButton);
}

void TMainForm::createStatusBar() {
    mLabelUnits = new QLabel(this);
    mLabelUnits->setObjectName(QStringLiteral("LabelUnits"));
    mComboBoxUnits = new QComboBox(this);
    mComboBoxUnits->setObjectName(QStringLiteral("ComboBoxUnits"));
    for (std::string_view name : units::kSystemName)
        mComboBoxUnits->addItem(
            QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
    mComboBoxUnits->setCurrentIndex(unitIndex(UnitSystem::MKnTon));
    connect(mComboBoxUnits, &QComboBox::activated, this, &TMainForm::ComboBoxUnitsChange);
    mLabelX = new QLabel(this);
    mLabelX->setObjectName(QStringLiteral("LabelX"));
    mLabelElev = new QLabel(this);
    mLabelElev->setObjectName(QStringLiteral("LabelElev"));
    const QFont fixed(QStringLiteral("monospace"));
    for (QLabel* l : {mLabelX, mLabelElev}) {
        l->setFont(fixed);
        l->setMinimumWidth(
            l->fontMetrics().horizontalAdvance(QStringLiteral("Elev. = -99999.999")));
    }
    statusBar()->addWidget(mLabelUnits);
    statusBar()->addWidget(mComboBoxUnits);
    statusBar()->addWidget(mLabelX);
    statusBar()->addWidget(mLabelElev);
}

void TMainForm::retext(QAction* action, std::string_view key) {
    action->setText(text(key));
    QString tip = action->text();
    tip.remove(QLatin1Char('&'));
    action->setToolTip(tip);
}

void TMainForm::applyTexts() {
    const Language l = mState.language();
    mMenuFile->setTitle(text("ui.main.menu.file"));
    mMenuEdit->setTitle(text("ui.main.menu.edit"));
    mMenuParameters->setTitle(text("ui.main.menu.parameters"));
    mMenuAnalysis->setTitle(text("ui.main.menu.analysis"));
    mMenuResults->setTitle(text("ui.main.menu.results"));
    mMenuOptions->setTitle(text("ui.main.menu.options"));
    mMenuHelp->setTitle(text("ui.main.menu.help"));
    mMenuRecent->setTitle(text("ui.main.recent"));
    mMenuHistories->setTitle(text("ui.main.histories"));
    mMenuToolBars->setTitle(text("ui.main.toolbars"));
    mMenuLanguage->setTitle(text("ui.main.language"));

    retext(mOpen, "ui.main.open");
    retext(mSave, "ui.main.save");
    retext(mSaveAs, "ui.main.save_as");
    retext(mExportImage, "ui.main.export_image");
    retext(mPrint, "ui.main.print");
    retext(mPrintSetup, "ui.main.print_setup");
    retext(mExit, "ui.main.exit");
    retext(mUndo, "ui.main.undo");
    retext(mCopy, "ui.main.copy");
    retext(mGeometry, "ui.main.geometry");
    retext(mForces, "ui.main.forces");
    retext(mMasses, "ui.main.masses");
    for (int k = 0; k < 4; ++k)
        retext(mHistory[k], kHistoryKey[k]);
    retext(mOptions, "ui.main.options");
    retext(mAnalyse, "ui.main.analyse");
    retext(mComputedData, "ui.main.computed_data");
    retext(mResultHistories, "ui.main.result_histories");
    retext(mAnimation, "ui.main.animation");
    retext(mComputedDataButton, "ui.main.computed_data");
    retext(mResultHistoriesButton, "ui.main.result_histories");
    retext(mAnimationButton, "ui.main.animation");
    retext(mHelpContents, "ui.main.help_contents");
    retext(mHelpSearch, "ui.main.help_search");
    retext(mHelpHowTo, "ui.main.help_how");
    retext(mAbout, "ui.main.about");
    retext(mSelect, "ui.main.select");
    retext(mPan, "ui.main.pan");
    retext(mZoom, "ui.main.zoom");
    retext(mFullView, "ui.main.full_view");
    for (int i = 0; i < 5; ++i) {
        mToolBars[i]->setWindowTitle(text(kToolBarCaption[i]));
        mToolBarItem[i]->setText(text(kToolBarItem[i]));
    }
    mHistoryButton->setToolTip(text("ui.main.histories"));
    mLabelUnits->setText(text("ui.main.units"));
    (l == Language::English ? mEnglish : mFrench)->setChecked(true);
    // The caption loses the file name on a language switch.
    setWindowTitle(text("ui.main.caption"));
    updateResultCommands();
}

void TMainForm::setEnglishLanguage(bool english) {
    mState.EnglishLanguage = english;
    applyTexts();
}

void TMainForm::setCaption() {
    if (mState.Model.FileName.empty())
        setWindowTitle(text("ui.main.caption"));
    else
        setWindowTitle(uiText(mState.language(), "ui.main.caption_with_file",
                              {QString::fromStdString(mState.Model.FileName)}));
}

void TMainForm::showUnitSystem() {
    // Shows the model's system without converting anything.
    const QSignalBlocker block(mComboBoxUnits);
    mComboBoxUnits->setCurrentIndex(unitIndex(mState.Model.UnitSystem));
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!mFirstShow)
        return;
    mFirstShow = false;
    mState.ModelSaved = true;
    mRecent = RecentFiles(mSettings.readRecentFiles());
    rebuildRecentMenu();
    mState.Model = startupModel();
    showUnitSystem();
    updateResultCommands();
    redrawSection(true);
}

void TMainForm::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange)
        updateResultCommands();
}

void TMainForm::updateResultCommands() {
    const bool on = resultsAvailable(mState.Model);
    for (QAction* a : {mComputedData, mResultHistories, mAnimation})
        if (a)
            a->setEnabled(on);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mChart && event->type() == QEvent::Resize) {
        // Pixel-sized symbols follow the new size; the view stays.
        if (mState.AnalysisRunning)
            mRedrawAfterRun = true;
        else
            redrawSection(false);
    }
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        // F1 on an open menu shows the topic of the highlighted item or of the menu.
        if (auto* m = qobject_cast<QMenu*>(watched)) {
            QVariant topics;
            if (QAction* a = m->activeAction())
                topics = a->property(kHelpTopics);
            if (!topics.isValid())
                topics = m->property(kHelpTopics);
            const QList<int> t = topics.value<QList<int>>();
            if (t.size() == 2) {
                const int both[2] = {t[0], t[1]};
                m->close();
                showHelp(this, mState.language(), menuHelpContext(both, mState.language()));
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace quibel
