// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <exception>
#include <functional>
#include <future>

class QWidget;

namespace quibel {

/// Runs work (reading a long record, say) on a thread of its own while the window stays
/// responsive: its events are handled meanwhile, and after a moment a busy bar under label
/// tells the user what is read (the window keeps its input to itself until work ends). An
/// exception thrown by work is thrown again here. work must touch no widget.
void runInBackground(QWidget* parent, const QString& label, const std::function<void()>& work);

/// Handles the events of the user-interface thread until done is ready, calling poll every few
/// milliseconds meanwhile, then gets done (throwing what its work threw). Without userInput the
/// user's clicks and keys wait until the end.
void waitResponsively(std::future<void>& done, const std::function<void()>& poll, bool userInput);

} // namespace quibel
