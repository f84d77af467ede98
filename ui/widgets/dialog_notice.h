// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/run/run_host.h"

#include <QString>

#include <functional>

class QWidget;

namespace quibel {

/// How a dialog shows a message box with one OK button. The default opens a modal message
/// box; the main window hands its own prompts in, and a test records the message instead of
/// blocking on a box.
using NoticeHandler = std::function<void(QWidget* parent, MessageKind kind, const QString& text)>;

/// The default handler: a modal message box captioned "QUIBEL" with an OK button.
NoticeHandler messageBoxNotices();

} // namespace quibel
