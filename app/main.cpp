// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window/desktop_application.h"
#include "ui/main_window/headless_report.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    // --help and --version answer without a display.
    if (quibel::asksOnlyForText(argc, argv)) {
        QCoreApplication app(argc, argv);
        quibel::describeApplication();
        quibel::parseDesktopCommandLine(app.arguments()); // prints the text and ends
        return 0;
    }
    // A report for scripts: no window, and no display needed.
    if (quibel::asksForReportExport(argc, argv))
        return quibel::exportReportHeadless(argc, argv);
    quibel::DesktopApplication app(argc, argv);
    return app.run(quibel::parseDesktopCommandLine(app.arguments()));
}
