// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <exception>
#include <functional>

class QWidget;

namespace quibel {

/// Runs work (reading a long record, say) on a thread of its own while the window stays
/// responsive: its events are handled meanwhile, and after a moment a busy bar under label
/// tells the user what is read (the window keeps its input to itself until work ends). An
/// exception thrown by work is thrown again here. work must touch no widget.
void runInBackground(QWidget* parent, const QString& label, const std::function<void()>& work);

} // namespace quibel
