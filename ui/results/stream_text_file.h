// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/results/text_rows.h"

#include <QString>

namespace quibel {

enum class ExportOutcome { Written, Cancelled, Failed };

/// Writes rows to path line by line through a temporary file beside it that takes the name
/// only once complete: a cancelled or failed export leaves no file of its own, and any earlier
/// file of that name stays as it was. progress, when given, hears of the lines written now and
/// then (and before the first); returning false cancels. On failure error gets the reason.
ExportOutcome streamTextFile(const QString& path, const TextRows& rows,
                             const ExportProgress& progress, QString* error);

} // namespace quibel
