// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QKeyCombination>
#include <QKeySequence>

#include <array>
#include <span>
#include <string_view>

namespace quibel {

class MainWindow;

/// The menus and the drop-down of the main window, in menu-bar order; the last four are
/// sub-menus and the drop-down of the time-history tool button.
enum class CommandMenu {
    None,
    File,
    Edit,
    Parameters,
    Analysis,
    Results,
    Options,
    Help,
    Recent,
    Histories,
    ToolBars,
    Language,
    HistoryDropDown,
};
inline constexpr int kCommandMenuCount = 13;

/// The five dockable tool bars, in their order on the window.
enum class CommandToolBar { None = -1, Files, Parameters, Image, Analysis, Results };
inline constexpr int kToolBarCount = 5;

/// When a command can be chosen: always, or only once a run has left results.
enum class CommandEnabling { Always, WithResults };

/// Which language a command's text follows: the user's (it changes with the language switch)
/// or always one, like the names of the two languages.
enum class CommandTextLanguage { User, English, French };

/// The exclusive groups of checkable commands.
enum class CommandGroup { None, Language, MouseMode };

/// One command of the main window: everything its action, its menu item and its tool button
/// need. A command shown both in a menu and on a tool bar is one action; the result views'
/// tool buttons are commands of their own (their menu items have shortcuts, the buttons none)
/// and are enabled by the same rule as the menu items.
struct MainWindowCommand {
    const char* objectName = "";
    std::string_view textKey{};
    CommandTextLanguage textLanguage = CommandTextLanguage::User;
    /// The platform's keys for the command; where it has none, shortcut.
    QKeySequence::StandardKey standardKey = QKeySequence::UnknownKey;
    QKeyCombination shortcut{};
    const char* icon = nullptr;
    CommandMenu menu = CommandMenu::None;
    CommandToolBar toolBar = CommandToolBar::None;
    bool separatorBefore = false; ///< in its menu or on its tool bar
    bool textBesideIcon = false;  ///< on its tool bar
    /// Help contexts F1 opens on the menu item, English then French; 0 for the menu's own.
    std::array<int, 2> helpTopics{};
    CommandEnabling enabling = CommandEnabling::Always;
    CommandGroup group = CommandGroup::None;
    bool checked = false; ///< the checked member of its group at start
    void (*handler)(MainWindow&) = nullptr;

    bool hasShortcut() const { return shortcut.key() != Qt::Key_unknown; }
};

/// A menu of the main window: the menu bar's menus, the sub-menus (placed in parent, before
/// the command named before or at its end) and the history drop-down (no parent).
struct MainWindowMenu {
    CommandMenu id = CommandMenu::None;
    const char* objectName = "";
    std::string_view titleKey{};     ///< empty: no title
    const int* helpTopics = nullptr; ///< English, French
    CommandMenu parent = CommandMenu::None;
    const char* icon = nullptr;
    const char* before = nullptr;
    bool separatorAfter = false;
    bool inMenuBar = true;
};

/// A tool bar and its item in the Options > Tool bars sub-menu.
struct MainWindowToolBar {
    const char* objectName = "";
    std::string_view captionKey{};
    std::string_view itemKey{};
    bool hideable = true;
};

/// Every command of the main window, in menu and tool-bar order.
std::span<const MainWindowCommand> mainWindowCommands();
/// Every menu of the main window, each after its parent.
std::span<const MainWindowMenu> mainWindowMenus();
/// The tool bars in CommandToolBar order.
std::span<const MainWindowToolBar, kToolBarCount> mainWindowToolBars();

} // namespace quibel
