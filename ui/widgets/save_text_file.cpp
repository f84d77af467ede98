// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/save_text_file.h"

#include <QSaveFile>

namespace quibel {

bool saveTextFile(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    if (error)
        *error = file.errorString();
    file.cancelWriting();
    return false;
}

} // namespace quibel
