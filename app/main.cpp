#include "ui/main_window/desktop_application.h"

int main(int argc, char** argv) {
    quibel::DesktopApplication app(argc, argv);
    return app.run(quibel::parseDesktopCommandLine(app.arguments()));
}
