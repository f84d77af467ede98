// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "numeric/message.h"

#include <QApplication>
#include <QStringList>

#include <functional>

namespace quibel {

struct ApplicationState;
class SingleInstance;
class UserPrompts;

/// What the command line of the desktop program asks: `quibel [--settings FILE] [PROJECT]`.
struct DesktopOptions final {
    /// Project files to open after start-up, as if dropped on the window.
    QStringList files;
    /// A settings file of its own (INI) instead of the user's settings; empty for the user's.
    QString settingsFile;
};

/// Parses arguments (argv as QStringList, program name first). --help and --version print
/// their text and end the program, as QCommandLineParser does.
DesktopOptions parseDesktopCommandLine(const QStringList& arguments);

/// True when the command line (argv) asks for --help or --version: those print their text
/// and end the program and need no display, so main() answers them with a QCoreApplication.
bool asksOnlyForText(int argc, const char* const* argv);

/// Gives the application object the program's name, organisation and version (the settings'
/// folder and the text of --version come from them).
void describeApplication();

/// The single-instance rule at start-up: true when this copy may go on. Otherwise it shows
/// "QUIBEL is already started" in the language of state, in an information box, and returns
/// false; the copy then ends without activating the other one.
bool passSingleInstanceGate(SingleInstance& lock, const ApplicationState& state,
                            UserPrompts& prompts);

/// The desktop program's application object. Every error a command lets escape is shown in
/// the general error box and the program goes on.
class DesktopApplication final : public QApplication {
    Q_OBJECT
public:
    DesktopApplication(int& argc, char** argv);

    /// Start-up as the program does it (settings, language, single instance, main window) and
    /// the event loop; returns the exit code.
    int run(const DesktopOptions& options);

    bool notify(QObject* receiver, QEvent* event) override;

private:
    std::function<void(const Message&)> mShowError;
};

} // namespace quibel
