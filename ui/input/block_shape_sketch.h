// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace quibel {

/// The picture of the rotational-properties calculator: the block outline with heel, crest,
/// the vertical and sloping parts of the downstream face and the toe, marked a, b, c, d, e and
/// γ. Notation only.
class BlockShapeSketch final : public QWidget {
    Q_OBJECT
public:
    explicit BlockShapeSketch(QWidget* parent = nullptr);
    QSize sizeHint() const override { return {220, 240}; }

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace quibel
