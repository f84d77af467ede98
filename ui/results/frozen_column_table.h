// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTableView>

namespace quibel {

/// A table whose first column stays at the left edge while the others scroll under it (the
/// time of every row of a wide sheet stays in view when scrolling right or jumping to the last
/// cell). A second view showing only that column lies over the table, shares its model and
/// selection, and follows its rows.
class FrozenColumnTable final : public QTableView {
    Q_OBJECT
public:
    explicit FrozenColumnTable(QWidget* parent = nullptr);
    ~FrozenColumnTable() override;

    /// Call once; the model must have its columns already.
    void setModel(QAbstractItemModel* model) override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

    /// The view of the first column lying over the table.
    QTableView& frozenView() const noexcept { return *mFrozen; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void updateGeometries() override;

private:
    void placeFrozenView();

    QTableView* mFrozen = nullptr;
};

} // namespace quibel
