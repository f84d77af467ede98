// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace quibel {

/// The picture of the geometry dialog: a dam section with its reservoir, the cracked plane and
/// the block above it, marked with the symbols of the dialog's fields (h, hd, hr, b, β, U, xu,
/// xc, yc, M, Im). It shows notation only, not the model's proportions.
class GeometrySketch final : public QWidget {
    Q_OBJECT
public:
    explicit GeometrySketch(QWidget* parent = nullptr);
    QSize sizeHint() const override { return {260, 300}; }

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace quibel
