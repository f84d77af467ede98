// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace quibel {

/// Writes bytes to path whole or not at all: they go to a temporary file beside it that
/// replaces path only when complete, so a failed save leaves any earlier file untouched.
/// Returns false when the file could not be written, with the system's reason in error.
[[nodiscard]] bool saveTextFile(const QString& path, const QByteArray& bytes, QString* error);

} // namespace quibel
