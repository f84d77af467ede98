// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/results/frozen_column_table.h"

#include <QHeaderView>
#include <QScrollBar>

namespace quibel {

FrozenColumnTable::FrozenColumnTable(QWidget* parent)
    : QTableView(parent), mFrozen(new QTableView(this)) {
    mFrozen->setObjectName(QStringLiteral("FrozenColumn"));
    mFrozen->setFocusPolicy(Qt::NoFocus);
    mFrozen->verticalHeader()->hide();
    mFrozen->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    mFrozen->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mFrozen->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mFrozen->setEditTriggers(QAbstractItemView::NoEditTriggers);
    mFrozen->setFrameShape(QFrame::NoFrame);
    // The other columns pass under the frozen one pixel by pixel, never in jumps of a column.
    setHorizontalScrollMode(ScrollPerPixel);
    viewport()->stackUnder(mFrozen);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int logical, int, int size) {
                if (logical == 0) {
                    mFrozen->setColumnWidth(0, size);
                    placeFrozenView();
                }
            });
    connect(verticalHeader(), &QHeaderView::sectionResized, this,
            [this](int logical, int, int size) { mFrozen->setRowHeight(logical, size); });
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, mFrozen->verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(mFrozen->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
            &QAbstractSlider::setValue);
}

FrozenColumnTable::~FrozenColumnTable() = default;

void FrozenColumnTable::setModel(QAbstractItemModel* model) {
    QTableView::setModel(model);
    mFrozen->setModel(model);
    mFrozen->setSelectionModel(selectionModel());
    mFrozen->setAlternatingRowColors(alternatingRowColors());
    for (int c = 1; c < model->columnCount(); ++c)
        mFrozen->setColumnHidden(c, true);
    mFrozen->setColumnWidth(0, columnWidth(0));
    placeFrozenView();
}

void FrozenColumnTable::scrollTo(const QModelIndex& index, ScrollHint hint) {
    // The first column is always in view; scrolling to it would only push the others away.
    if (index.column() > 0)
        QTableView::scrollTo(index, hint);
    else
        QTableView::scrollTo(model()->index(index.row(), horizontalHeader()->logicalIndexAt(
                                                             mFrozen->columnWidth(0) + 1)),
                             hint);
}

void FrozenColumnTable::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    placeFrozenView();
}

void FrozenColumnTable::updateGeometries() {
    QTableView::updateGeometries();
    placeFrozenView();
}

QModelIndex FrozenColumnTable::moveCursor(CursorAction cursorAction,
                                          Qt::KeyboardModifiers modifiers) {
    const QModelIndex current = QTableView::moveCursor(cursorAction, modifiers);
    // A cell moved to from the right would end up under the frozen column: scroll it out.
    const int hidden = mFrozen->columnWidth(0) - visualRect(current).left();
    if (current.column() > 0 && hidden > 0)
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() - hidden);
    return current;
}

void FrozenColumnTable::placeFrozenView() {
    if (!mFrozen)
        return;
    mFrozen->setPalette(palette());
    mFrozen->setGeometry(verticalHeader()->width() + frameWidth(), frameWidth(), columnWidth(0),
                         viewport()->height() + horizontalHeader()->height());
}

} // namespace quibel
