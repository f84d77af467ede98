// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "texts/text_catalogue.h"

#include <QString>

namespace quibel {

/// The message for a project file the reader refused: "Unable to read file." on the first
/// line, then the file and the likeliest reason (missing, a folder, not openable, not a
/// project file, written by an unknown version, truncated or damaged).
QString unreadableProjectMessage(Language language, const QString& path);

} // namespace quibel
