// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window/desktop_application.h"

#include "numeric/error.h"
#include "ui/main_window/file_forwarding.h"
#include "ui/main_window/headless_report.h"
#include "ui/main_window/main_window.h"
#include "ui/main_window/single_instance.h"
#include "ui/main_window/user_settings.h"
#include "ui/widgets/application_state.h"
#include "ui/widgets/help_key.h"
#include "ui/widgets/ui_text.h"
#include "ui/widgets/user_prompts.h"
#include "version/program_version.h"

#include <QCommandLineParser>

#include <algorithm>
#include <string_view>

#include <memory>

namespace quibel {

DesktopOptions parseDesktopCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "QUIBEL: seismic safety assessment of concrete gravity dams (sliding and rocking)."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption settings(QStringLiteral("settings"),
                                      QStringLiteral("Keep the settings in FILE (INI format)."),
                                      QStringLiteral("FILE"));
    parser.addOption(settings);
    addReportExportOptions(parser);
    parser.addPositionalArgument(QStringLiteral("project"),
                                 QStringLiteral("A project file (.qbl) to open."),
                                 QStringLiteral("[project]"));
    parser.process(arguments);
    DesktopOptions options;
    options.files = parser.positionalArguments();
    options.settingsFile = parser.value(settings);
    return options;
}

bool asksOnlyForText(int argc, const char* const* argv) {
    constexpr std::string_view kTextOptions[] = {"-h",         "--help", "-?",
                                                 "--help-all", "-v",     "--version"};
    return std::any_of(argv + std::min(argc, 1), argv + argc, [&](const char* arg) {
        return std::find(std::begin(kTextOptions), std::end(kTextOptions), arg) !=
               std::end(kTextOptions);
    });
}

void describeApplication() {
    QCoreApplication::setApplicationName(QStringLiteral("QUIBEL"));
    QCoreApplication::setOrganizationName(QStringLiteral("QUIBEL"));
    const std::string_view version = programVersion();
    QCoreApplication::setApplicationVersion(
        QString::fromUtf8(version.data(), static_cast<qsizetype>(version.size())));
}

bool passSingleInstanceGate(SingleInstance& lock, const ApplicationState& state,
                            UserPrompts& prompts) {
    if (lock.acquire())
        return true;
    prompts.showMessage(nullptr, MessageKind::Information,
                        uiText(state.language(), "ui.main.already_started"));
    return false;
}

DesktopApplication::DesktopApplication(int& argc, char** argv) : QApplication(argc, argv) {
    describeApplication();
    setDesktopFileName(QStringLiteral("quibel"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/quibel.svg")));
    installEventFilter(new HelpKeyFilter(this));
}

int DesktopApplication::run(const DesktopOptions& options) {
    ApplicationState state;
    std::unique_ptr<UserSettings> settings =
        options.settingsFile.isEmpty() ? std::make_unique<UserSettings>()
                                       : std::make_unique<UserSettings>(options.settingsFile);
    state.EnglishLanguage = settings->readEnglishLanguage();
    QtUserPrompts prompts(state);

    SingleInstance lock(SingleInstance::defaultLockFile());
    // A second start hands its files to the copy that runs; without files, or when that copy
    // does not answer, it says that the program is already started.
    if (!lock.acquire() && !options.files.isEmpty() &&
        forwardFiles(FileReceiver::defaultServerName(), options.files))
        return 0;
    if (!passSingleInstanceGate(lock, state, prompts))
        return 0;

    MainWindow window(state, prompts, *settings);
    mShowError = [&state, &prompts, &window](const Message& message) {
        prompts.showMessage(&window, MessageKind::Error, renderMessage(state.language(), message));
    };
    FileReceiver receiver(FileReceiver::defaultServerName());
    connect(&receiver, &FileReceiver::filesReceived, &window, [&window](const QStringList& files) {
        window.setWindowState((window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
        window.raise();
        window.activateWindow();
        window.openDroppedFiles(files);
    });
    receiver.listen();
    window.show();
    for (const QString& file : options.files)
        window.openStartupFile(file);
    const int code = exec();
    mShowError = nullptr;
    return code;
}

bool DesktopApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const Error& e) {
        if (mShowError)
            mShowError(e.message());
    } catch (const std::exception& e) {
        if (mShowError)
            mShowError(Message("ui.main.unexpected_error", {e.what()}));
    }
    return false;
}

} // namespace quibel
