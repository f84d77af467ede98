// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quibel {

/// What painting a document needs in a program without windows (quibel-cli, the desktop
/// program's headless commands): an application object for fonts and paint devices, on the
/// offscreen platform when no display is set. Reuses the application when one exists. In a
/// build without the desktop program, available() is false and no document can be made.
class DocumentSession {
public:
    DocumentSession();
    ~DocumentSession();
    DocumentSession(const DocumentSession&) = delete;
    DocumentSession& operator=(const DocumentSession&) = delete;

    bool available() const;

private:
    struct Application;
    Application* owned_ = nullptr;
};

} // namespace quibel
