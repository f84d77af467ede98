// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/document_session.h"

#include <QApplication>

#include <cstdlib>

namespace quibel {

struct DocumentSession::Application {
    // QApplication keeps references to argc and argv for its whole life.
    int argc = 1;
    char name[7] = "quibel";
    char* argv[2] = {name, nullptr};
    QApplication application{argc, argv};
};

namespace {

bool displaySet() {
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 != nullptr && *x11 != '\0') || (wayland != nullptr && *wayland != '\0');
}

} // namespace

DocumentSession::DocumentSession() {
    if (QCoreApplication::instance() != nullptr)
        return;
    // A chosen platform wins; without one and without a display, paint offscreen.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr && !displaySet())
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    owned_ = new Application;
}

DocumentSession::~DocumentSession() {
    delete owned_;
}

bool DocumentSession::available() const {
    return QCoreApplication::instance() != nullptr;
}

} // namespace quibel
