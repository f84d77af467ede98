// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/results/stream_text_file.h"

#include <QSaveFile>

namespace quibel {

namespace {

// Lines are gathered into blocks of about this size before they are written.
constexpr std::size_t kBlockBytes = 1 << 20;
// Progress is told every this many lines.
constexpr std::size_t kProgressLines = 4096;

} // namespace

ExportOutcome streamTextFile(const QString& path, const TextRows& rows,
                             const ExportProgress& progress, QString* error) {
    QSaveFile file(path);
    auto failed = [&file, error] {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return ExportOutcome::Failed;
    };
    if (!file.open(QIODevice::WriteOnly))
        return failed();
    std::string block;
    block.reserve(kBlockBytes + 4096);
    auto writeBlock = [&file, &block] {
        const bool ok = file.write(block.data(), static_cast<qint64>(block.size())) ==
                        static_cast<qint64>(block.size());
        block.clear();
        return ok;
    };
    for (std::size_t i = 0; i < rows.count; ++i) {
        if (i % kProgressLines == 0 && progress && !progress(i, rows.count)) {
            file.cancelWriting();
            return ExportOutcome::Cancelled;
        }
        rows.append(i, block);
        if (block.size() >= kBlockBytes && !writeBlock())
            return failed();
    }
    if (!writeBlock() || !file.commit())
        return failed();
    if (progress)
        progress(rows.count, rows.count);
    return ExportOutcome::Written;
}

} // namespace quibel
