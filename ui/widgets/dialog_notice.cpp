// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/dialog_notice.h"

#include <QMessageBox>

namespace quibel {

NoticeHandler messageBoxNotices() {
    return [](QWidget* parent, MessageKind kind, const QString& text) {
        const QString title = QStringLiteral("QUIBEL");
        switch (kind) {
        case MessageKind::Information:
            QMessageBox::information(parent, title, text);
            break;
        case MessageKind::Warning:
            QMessageBox::warning(parent, title, text);
            break;
        case MessageKind::Error:
            QMessageBox::critical(parent, title, text);
            break;
        }
    };
}

} // namespace quibel
