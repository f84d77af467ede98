// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/results/result_grid_table_model.h"

#include "ui/results/grid_text_export.h"

namespace quibel {

ResultGridTableModel::ResultGridTableModel(const ResultGrid& grid, char decimalSeparator,
                                           QObject* parent)
    : QAbstractTableModel(parent), mGrid(grid), mDecimalSeparator(decimalSeparator) {}

int ResultGridTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : mGrid.rows();
}

int ResultGridTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(mGrid.columns.size());
}

QVariant ResultGridTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return QString::fromStdString(
            GridSheetText(mGrid, index.row() + 2, index.column(), mDecimalSeparator));
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant ResultGridTableModel::headerData(int section, Qt::Orientation orientation,
                                          int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    const GridColumn& c = mGrid.columns[static_cast<std::size_t>(section)];
    return QString::fromStdString(c.title + "\n" + c.unit);
}

} // namespace quibel
