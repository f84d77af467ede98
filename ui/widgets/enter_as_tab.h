// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QWidget;

namespace quibel {

/// Makes Enter move the focus to the next control, as Tab does, in every control of a window
/// (the way data entry works in the geometry and force dialogs). Install it once the window's
/// controls exist; it then belongs to the window.
class EnterAsTab final : public QObject {
    Q_OBJECT
public:
    static void install(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit EnterAsTab(QWidget* window);
};

} // namespace quibel
