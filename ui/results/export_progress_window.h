// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "texts/text_catalogue.h"
#include "ui/results/text_rows.h"

#include <QElapsedTimer>
#include <QString>

class QProgressDialog;
class QWidget;

namespace quibel {

/// The window of a long export: what is written, a bar and Cancel. progress() keeps the
/// program responsive while the export runs in the user-interface thread: it updates the bar
/// and handles the pending events every few tenths of a second, and says false once Cancel
/// was pressed. The window shows itself only when the export lasts.
class ExportProgressWindow final {
public:
    ExportProgressWindow(QWidget* parent, Language language, const QString& fileName);
    ~ExportProgressWindow();
    ExportProgressWindow(const ExportProgressWindow&) = delete;
    ExportProgressWindow& operator=(const ExportProgressWindow&) = delete;

    /// Told from the user-interface thread: handles the pending events now and then.
    ExportProgress progress();
    /// Runs work on a thread of its own, the window responsive throughout (also while work
    /// finishes a file without telling its progress); the progress work is handed is told from
    /// that thread, moves the bar and says false once Cancel was pressed.
    void runOffThread(const std::function<void(const ExportProgress&)>& work);

private:
    bool advance(std::size_t done, std::size_t total);

    QProgressDialog* mDialog = nullptr;
    QElapsedTimer mClock;
    qint64 mLastEvents = -1;
};

/// Streams rows to path (see streamTextFile) under an ExportProgressWindow, off the window's
/// thread: rows must read nothing the window changes meanwhile. False, with the
/// reason in error, when the file could not be written; a cancelled export is no failure.
bool exportTextRows(QWidget* parent, Language language, const QString& path, const TextRows& rows,
                    QString* error);

} // namespace quibel
