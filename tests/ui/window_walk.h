// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/project_record.h"
#include "scripted_prompts.h"
#include "texts/text_catalogue.h"
#include "ui/main_window/user_settings.h"
#include "ui/widgets/application_state.h"

#include <QTemporaryDir>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quibel::test {

/// What the windows of the walk are made from: a confirmed start-up model, prompts that show
/// nothing and a settings file of the test's own.
struct WalkFixture {
    WalkFixture();
    ~WalkFixture();
    QTemporaryDir dir;
    ScriptedPrompts prompts;
    ApplicationState state;
    std::unique_ptr<UserSettings> settings;
    TBlocStatic model;
};

/// One window of the program: its name, how it is made in a language and the help page F1
/// opens in it (0: the window answers F1 some other way, or has no page).
struct WalkWindow {
    std::string name;
    std::function<std::unique_ptr<QWidget>(WalkFixture&, Language)> make;
    int helpContext = 0;
    /// For a window opened from the one made: opens it and gives it (the walk then checks it
    /// instead of the one made).
    std::function<QWidget*(QWidget&)> open;
};

/// Shows the window of w made in fixture, and the window it opens if it opens one; gives the
/// window to check. made holds what was made.
QWidget& showWalkWindow(const WalkWindow& w, WalkFixture& fixture, Language language,
                        std::unique_ptr<QWidget>& made);

/// Every window the main window's commands open, and every window those open in turn.
std::vector<WalkWindow> everyWindow();

/// The texts of window's visible labels, buttons, check boxes, tabs, fields and group titles that
/// are wider than the room their widget gives them, or that reach past the window's edge,
/// each described as "object (class): text needs N px, has M".
std::vector<std::string> cutTexts(const QWidget& window);

/// Sets the application's font to factor times its size for the lifetime of the object.
class ScopedFontScale {
public:
    explicit ScopedFontScale(double factor);
    ~ScopedFontScale();
    ScopedFontScale(const ScopedFontScale&) = delete;
    ScopedFontScale& operator=(const ScopedFontScale&) = delete;

private:
    QFont mSaved;
};

} // namespace quibel::test
