// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/document_session.h"

#include <QApplication>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

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

// Without a desktop session (a scheduled job, a cluster node) Qt warns on every start that
// it has no runtime folder and takes /tmp/runtime-<user>: give it that folder, when it is the
// user's own and private, so that a report or a chart made without a display writes nothing
// on the error output.
void provideRuntimeFolder() {
    if (std::getenv("XDG_RUNTIME_DIR") != nullptr)
        return;
    const uid_t user = getuid();
    const std::string folder = "/tmp/runtime-" + std::to_string(user);
    mkdir(folder.c_str(), 0700);
    struct stat info {};
    if (lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == user &&
        (info.st_mode & 0777) == 0700)
        setenv("XDG_RUNTIME_DIR", folder.c_str(), 0);
}

} // namespace

DocumentSession::DocumentSession() {
    if (QCoreApplication::instance() != nullptr)
        return;
    // A chosen platform wins; without one and without a display, paint offscreen.
    if (!displaySet())
        provideRuntimeFolder();
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
