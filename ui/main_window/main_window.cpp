// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window/main_window.h"

#include "chart/chart_widget.h"
#include "documents/dam_section_drawing.h"
#include "model/unit_tables.h"
#include "ui/main_window/analysis_gate.h"
#include "ui/main_window/user_settings.h"
#include "ui/widgets/application_state.h"
#include "ui/widgets/help_topics.h"
#include "ui/widgets/help_window.h"
#include "ui/widgets/qt_translations.h"
#include "ui/widgets/ui_text.h"

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
#include <QUndoStack>
#include <QWindow>

#include <algorithm>

namespace quibel {

namespace {
// Property name on menus and actions.
constexpr const char* kHelpTopics = "quibelHelpTopics"; // QList<int>{English, French}

QIcon icon(const char* name) {
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
}

void setHelpTopics(QObject* o, int english, int french) {
    o->setProperty(kHelpTopics, QVariant::fromValue(QList<int>{english, french}));
}

// The platform's own keys win over the program's where it has them (Quit, Save As...).
QList<QKeySequence> commandKeys(const MainWindowCommand& c) {
    QList<QKeySequence> keys;
    if (c.standardKey != QKeySequence::UnknownKey)
        keys = QKeySequence::keyBindings(c.standardKey);
    if (keys.isEmpty() && c.hasShortcut())
        keys.append(QKeySequence(c.shortcut));
    return keys;
}

Language fixedLanguage(CommandTextLanguage l) {
    return l == CommandTextLanguage::English ? Language::English : Language::French;
}
} // namespace

MainWindow::MainWindow(ApplicationState& state, UserPrompts& prompts, UserSettings& settings,
                       QWidget* parent)
    : QMainWindow(parent), mState(state), mPrompts(prompts), mSettings(settings) {
    setObjectName(QStringLiteral("MainWindow"));
    setWindowIcon(icon("quibel"));
    setAcceptDrops(true);

    mChart = new ChartWidget(this);
    mChart->setObjectName(QStringLiteral("DamSection"));
    setUpDamSectionChart(*mChart);
    mChart->installEventFilter(this);
    setCentralWidget(mChart);
    connect(mChart, &ChartWidget::zoomedOrPanned, this, [this](ChartWidget*) { chartZoomPan(); });
    connect(mChart, &ChartWidget::mouseMovedInChart, this,
            [this](ChartWidget*, bool inChart, Qt::KeyboardModifiers, double x, double y) {
                chartMouseMove(inChart, x, y);
            });

    mUndoStack = new QUndoStack(this);
    connect(mUndoStack, &QUndoStack::indexChanged, this, [this] { updateUndoCommands(); });
    createActions();
    createMenus();
    createToolBars();
    createStatusBar();

    mState.EnglishLanguage = mSettings.readEnglishLanguage();
    applyTexts();

    // Client area of 632 x 447 at least, wide enough for the tool bars in one row, never
    // smaller than 640 x 450 overall; on a larger screen three quarters of it. The size, place
    // and tool-bar layout the user left win over both.
    setMinimumSize(640, 450);
    int toolBarsWidth = 0;
    for (QToolBar* bar : mToolBars)
        toolBarsWidth += bar->sizeHint().width();
    QSize size(std::max(632, toolBarsWidth + 16), 447 + menuBar()->sizeHint().height() +
                                                      mToolBars[0]->sizeHint().height() +
                                                      statusBar()->sizeHint().height());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        size = size.expandedTo(available.size() * 3 / 4).boundedTo(available.size());
        resize(size);
        move(available.center() - rect().center());
    } else {
        resize(size);
    }
    restoreGeometry(mSettings.readWindowGeometry());
    restoreState(mSettings.readWindowState());
    for (std::size_t i = 0; i < mToolBars.size(); ++i)
        if (mToolBars[i]->isHidden())
            mToolBarItems[i]->setChecked(false);

    // The result commands follow ResultsValid every time the active window changes.
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this] { updateResultCommands(); });
}

MainWindow::~MainWindow() = default;

QString MainWindow::text(std::string_view key) const {
    return uiText(mState.language(), key);
}

void MainWindow::createActions() {
    std::array<QActionGroup*, 3> groups{};
    for (const MainWindowCommand& c : mainWindowCommands()) {
        auto* a = new QAction(this);
        a->setObjectName(QLatin1String(c.objectName));
        a->setShortcuts(commandKeys(c));
        if (c.icon)
            a->setIcon(icon(c.icon));
        if (c.helpTopics[0] != 0)
            setHelpTopics(a, c.helpTopics[0], c.helpTopics[1]);
        if (c.textLanguage != CommandTextLanguage::User)
            a->setText(uiText(fixedLanguage(c.textLanguage), c.textKey));
        if (c.group != CommandGroup::None) {
            QActionGroup*& group = groups[static_cast<std::size_t>(c.group)];
            if (!group)
                group = new QActionGroup(this);
            a->setCheckable(true);
            group->addAction(a);
            a->setChecked(c.checked);
        }
        connect(a, &QAction::triggered, this, [this, handler = c.handler] { handler(*this); });
        mCommands.push_back(a);
    }
}

void MainWindow::createMenus() {
    for (const MainWindowMenu& m : mainWindowMenus()) {
        QMenu* parent = menu(m.parent);
        QMenu* created = nullptr;
        if (m.parent == CommandMenu::None && m.inMenuBar)
            created = menuBar()->addMenu(QString());
        else
            created = new QMenu(parent ? static_cast<QWidget*>(parent) : this);
        created->setObjectName(QLatin1String(m.objectName));
        if (m.icon)
            created->setIcon(icon(m.icon));
        if (m.helpTopics)
            setHelpTopics(created, m.helpTopics[0], m.helpTopics[1]);
        created->installEventFilter(this);
        mMenus[static_cast<std::size_t>(m.id)] = created;
    }
    const auto commands = mainWindowCommands();
    for (std::size_t i = 0; i < commands.size(); ++i) {
        if (QMenu* m = menu(commands[i].menu)) {
            if (commands[i].separatorBefore)
                m->addSeparator();
            m->addAction(mCommands[i]);
        }
    }
    // Sub-menus go in once their parents hold their commands, so that they can sit before one.
    for (const MainWindowMenu& m : mainWindowMenus()) {
        QMenu* parent = menu(m.parent);
        if (!parent)
            continue;
        QAction* before = m.before ? findChild<QAction*>(QLatin1String(m.before)) : nullptr;
        parent->insertMenu(before, menu(m.id));
        if (m.separatorAfter)
            parent->insertSeparator(before);
    }
    for (std::size_t i = 0; i < mToolBarItems.size(); ++i) {
        QAction* item = menu(CommandMenu::ToolBars)->addAction(QString());
        item->setObjectName(QStringLiteral("ActionToolBar%1").arg(i));
        item->setCheckable(true);
        item->setChecked(true);
        item->setEnabled(mainWindowToolBars()[i].hideable);
        mToolBarItems[i] = item;
    }
}

void MainWindow::createToolBars() {
    for (std::size_t i = 0; i < mToolBars.size(); ++i) {
        auto* bar = new QToolBar(this);
        bar->setObjectName(QLatin1String(mainWindowToolBars()[i].objectName));
        bar->setMovable(true);
        bar->setFloatable(true);
        bar->setIconSize(QSize(24, 24));
        addToolBar(Qt::TopToolBarArea, bar);
        QAction* item = mToolBarItems[i];
        connect(item, &QAction::toggled, bar, &QToolBar::setVisible);
        connect(bar, &QToolBar::visibilityChanged, item, [item, bar] {
            // A tool bar closed from its own context menu unchecks its item.
            if (!bar->isHidden() != item->isChecked() && item->isEnabled())
                item->setChecked(!bar->isHidden());
        });
        // Nor can a bar that must stay be hidden from its context menu.
        bar->toggleViewAction()->setEnabled(mainWindowToolBars()[i].hideable);
        mToolBars[i] = bar;
    }
    const auto commands = mainWindowCommands();
    for (std::size_t i = 0; i < commands.size(); ++i) {
        const MainWindowCommand& c = commands[i];
        if (c.toolBar == CommandToolBar::None)
            continue;
        QToolBar* bar = mToolBars[static_cast<std::size_t>(c.toolBar)];
        if (c.separatorBefore)
            bar->addSeparator();
        bar->addAction(mCommands[i]);
        if (auto* b = qobject_cast<QToolButton*>(bar->widgetForAction(mCommands[i]));
            b && c.textBesideIcon)
            b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    }

    mHistoryButton = new QToolButton(this);
    mHistoryButton->setObjectName(QStringLiteral("ButtonTimeHistories"));
    mHistoryButton->setIcon(icon("histories"));
    mHistoryButton->setMenu(menu(CommandMenu::HistoryDropDown));
    mHistoryButton->setPopupMode(QToolButton::MenuButtonPopup);
    connect(mHistoryButton, &QToolButton::clicked, this, &MainWindow::editLastTimeHistory);
    mToolBars[static_cast<std::size_t>(CommandToolBar::Parameters)]->addWidget(mHistoryButton);
}

void MainWindow::createStatusBar() {
    mUnitsLabel = new QLabel(this);
    mUnitsLabel->setObjectName(QStringLiteral("LabelUnits"));
    mUnitSelector = new QComboBox(this);
    mUnitSelector->setObjectName(QStringLiteral("ComboBoxUnits"));
    for (std::string_view name : units::kSystemName)
        mUnitSelector->addItem(
            QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
    mUnitSelector->setCurrentIndex(unitIndex(UnitSystem::MKnTon));
    connect(mUnitSelector, &QComboBox::activated, this, &MainWindow::selectUnitSystem);
    mXLabel = new QLabel(this);
    mXLabel->setObjectName(QStringLiteral("LabelX"));
    mElevationLabel = new QLabel(this);
    mElevationLabel->setObjectName(QStringLiteral("LabelElev"));
    const QFont fixed(QStringLiteral("monospace"));
    for (QLabel* l : {mXLabel, mElevationLabel}) {
        l->setFont(fixed);
        l->setMinimumWidth(
            l->fontMetrics().horizontalAdvance(QStringLiteral("Elev. = -99999.999")));
    }
    statusBar()->addWidget(mUnitsLabel);
    statusBar()->addWidget(mUnitSelector);
    statusBar()->addWidget(mXLabel);
    statusBar()->addWidget(mElevationLabel);
}

void MainWindow::applyTexts() {
    const Language l = mState.language();
    for (const MainWindowMenu& m : mainWindowMenus())
        if (!m.titleKey.empty())
            menu(m.id)->setTitle(text(m.titleKey));
    const auto commands = mainWindowCommands();
    for (std::size_t i = 0; i < commands.size(); ++i) {
        const MainWindowCommand& c = commands[i];
        QAction* a = mCommands[i];
        if (c.textLanguage == CommandTextLanguage::User) {
            a->setText(text(c.textKey));
            QString tip = a->text();
            tip.remove(QLatin1Char('&'));
            a->setToolTip(tip);
        } else if (c.group == CommandGroup::Language && fixedLanguage(c.textLanguage) == l) {
            a->setChecked(true);
        }
    }
    for (std::size_t i = 0; i < mToolBars.size(); ++i) {
        mToolBars[i]->setWindowTitle(text(mainWindowToolBars()[i].captionKey));
        mToolBarItems[i]->setText(text(mainWindowToolBars()[i].itemKey));
    }
    mHistoryButton->setToolTip(text("ui.main.histories"));
    mUnitsLabel->setText(text("ui.main.units"));
    // Qt's own dialogs (files, printing) follow the chosen language.
    useQtTranslations(mState.language());
    // The caption loses the file name on a language switch, not the mark of unsaved changes.
    setWindowTitle(text("ui.main.caption") + QStringLiteral("[*]"));
    setWindowModified(!mState.ModelSaved);
    updateResultCommands();
    updateUndoCommands();
}

void MainWindow::setEnglishLanguage(bool english) {
    mState.EnglishLanguage = english;
    applyTexts();
}

void MainWindow::setCaption() {
    // "[*]" is where the window system marks unsaved changes; it is not shown otherwise.
    const QString mark = QStringLiteral("[*]");
    if (mState.Model.FileName.empty())
        setWindowTitle(text("ui.main.caption") + mark);
    else
        setWindowTitle(uiText(mState.language(), "ui.main.caption_with_file",
                              {QString::fromStdString(mState.Model.FileName)}) +
                       mark);
    setWindowModified(!mState.ModelSaved);
}

void MainWindow::setModelSaved(bool saved) {
    mState.ModelSaved = saved;
    setWindowModified(!saved);
}

void MainWindow::showUnitSystem() {
    // Shows the model's system without converting anything.
    const QSignalBlocker block(mUnitSelector);
    mUnitSelector->setCurrentIndex(unitIndex(mState.Model.UnitSystem));
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!mFirstShow)
        return;
    mFirstShow = false;
    setModelSaved(true);
    mRecent = RecentFiles(mSettings.readRecentFiles());
    rebuildRecentMenu();
    mState.Model = startupModel();
    restartUndo();
    showUnitSystem();
    updateResultCommands();
    redrawSection(true);
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange)
        updateResultCommands();
}

void MainWindow::updateResultCommands() {
    const bool on = resultsAvailable(mState.Model);
    const auto commands = mainWindowCommands();
    for (std::size_t i = 0; i < mCommands.size(); ++i)
        if (commands[i].enabling == CommandEnabling::WithResults)
            mCommands[i]->setEnabled(on);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
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
