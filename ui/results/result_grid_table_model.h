// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reporting/result_grid.h"

#include <QAbstractTableModel>

namespace quibel {

/// The samples of a result grid for a table view: one row per sample, the grid's formats with
/// the decimal separator of the user's regional settings, numbers right-aligned. The column
/// titles and units are the two lines of the horizontal header, so they stay in view while the
/// rows scroll. Cell texts are made when the view asks for them, so long runs cost no more
/// than the rows on screen.
class ResultGridTableModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    /// grid must outlive the model.
    ResultGridTableModel(const ResultGrid& grid, char decimalSeparator, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const ResultGrid& mGrid;
    char mDecimalSeparator;
};

} // namespace quibel
