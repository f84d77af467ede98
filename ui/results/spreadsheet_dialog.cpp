// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/results/spreadsheet_dialog.h"

#include "ui/results/export_progress_window.h"
#include "ui/results/frozen_column_table.h"
#include "ui/results/grid_text_export.h"
#include "ui/results/result_grid_table_model.h"
#include "ui/results/workbook_export.h"
#include "ui/widgets/background_work.h"
#include "ui/widgets/help_key.h"
#include "ui/widgets/help_topics.h"
#include "ui/widgets/regional_decimal.h"
#include "ui/widgets/ui_text.h"
#include "ui/widgets/user_prompts.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>

namespace quibel {

namespace {

// A long run's grid takes a while to build: the window that opens the sheet stays responsive
// meanwhile.
ResultGrid buildGrid(const TBlocStatic& model, Language language, QWidget* parent) {
    ResultGrid grid;
    runInBackground(parent, uiText(language, "large.preparing_sheet"),
                    [&grid, &model, language] { grid = ResultGridFor(model, language); });
    return grid;
}

} // namespace

SpreadsheetDialog::SpreadsheetDialog(const TBlocStatic& model, Language language,
                                     UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), mLanguage(language), mPrompts(prompts),
      mGrid(buildGrid(model, language, parent)), mDecimalSeparator(regionalDecimalSeparator()) {
    setObjectName(QStringLiteral("SpreadsheetDialog"));
    setWindowTitle(uiText(language, "ui.sheet.caption"));
    addHelpShortcut(*this, language, HelpContext::Results);
    resize(800, 500);
    const bool english = language == Language::English;
    auto t = [language](const char* key) { return uiText(language, key); };

    auto* menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("MainMenu"));
    QMenu* file = menuBar->addMenu(t("ui.sheet.menu.file"));
    QMenu* exportMenu = file->addMenu(t("ui.sheet.export"));
    auto add = [this](QMenu* menu, const QString& text, const char* name, QKeySequence key,
                      void (SpreadsheetDialog::*slot)()) {
        QAction* a = menu->addAction(text, this, slot);
        a->setObjectName(QLatin1String(name));
        a->setShortcut(key);
        a->setShortcutContext(Qt::WindowShortcut);
        return a;
    };
    add(exportMenu, t("ui.sheet.excel"), "ActionWorkbook",
        english ? QKeySequence(Qt::Key_Apostrophe) : QKeySequence(Qt::Key_F10),
        &SpreadsheetDialog::exportWorkbook);
    add(exportMenu, t("ui.sheet.csv"), "ActionCsv",
        english ? QKeySequence() : QKeySequence(Qt::Key_F11), &SpreadsheetDialog::exportCsv);
    add(exportMenu, t("ui.sheet.text"), "ActionText",
        english ? QKeySequence() : QKeySequence(Qt::Key_F12), &SpreadsheetDialog::exportText);
    add(file, t("large.print"), "ActionPrint", QKeySequence(Qt::CTRL | Qt::Key_P),
        &SpreadsheetDialog::printSheet);
    QAction* close = file->addAction(t("ui.sheet.close"), this, &QDialog::accept);
    close->setObjectName(QStringLiteral("ActionClose"));
    close->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    QMenu* edit = menuBar->addMenu(t("ui.sheet.menu.edit"));
    add(edit, t("ui.sheet.copy_all"), "ActionCopySheet", QKeySequence(Qt::CTRL | Qt::Key_C),
        &SpreadsheetDialog::copySheet);
    add(edit, t("ui.sheet.copy_selection"), "ActionCopySelection",
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), &SpreadsheetDialog::copySelection);
    add(edit, t("ui.sheet.find"), "ActionFind",
        QKeySequence(Qt::CTRL | (english ? Qt::Key_F : Qt::Key_R)), &SpreadsheetDialog::findText);

    mModel = new ResultGridTableModel(mGrid, mDecimalSeparator, this);
    mTable = new FrozenColumnTable(this);
    mTable->setObjectName(QStringLiteral("Grid"));
    mTable->verticalHeader()->hide();
    mTable->setAlternatingRowColors(true);
    mTable->setModel(mModel);
    mTable->horizontalHeader()->setSectionsMovable(true);
    mTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    mTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    mTable->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Banding: window colour and info background in turn; silver grid lines.
    QPalette palette = mTable->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    palette.setColor(QPalette::AlternateBase, palette.color(QPalette::ToolTipBase));
    mTable->setPalette(palette);
    mTable->setStyleSheet(QStringLiteral("QTableView { gridline-color: silver; }"));
    fitColumns();

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    layout->addWidget(mTable);
}

SpreadsheetDialog::~SpreadsheetDialog() = default;

void SpreadsheetDialog::fitColumns() {
    // The view measures the first rows only; the last row holds the longest times (and, the
    // series growing or decaying, often the widest numbers), so it is measured as well.
    mTable->resizeColumnsToContents();
    const QFontMetrics metrics(mTable->font());
    const int padding = 2 * metrics.horizontalAdvance(QLatin1Char('0'));
    const int last = sheetRows() - 1;
    for (int c = 0; c < mModel->columnCount(); ++c) {
        const int lastText = last >= 2 ? metrics.horizontalAdvance(cellText(last, c)) : 0;
        mTable->setColumnWidth(c, std::max(mTable->columnWidth(c) + 1, lastText + padding));
    }
}

int SpreadsheetDialog::sheetRows() const noexcept {
    return GridSheetRows(mGrid);
}

QString SpreadsheetDialog::cellText(int row, int column) const {
    return QString::fromStdString(GridSheetText(mGrid, row, column, mDecimalSeparator));
}

QString SpreadsheetDialog::askFile(const char* titleKey, const char* filterKey,
                                   const QString& suffix) {
    return mPrompts.saveFileName(
        this, {uiText(mLanguage, titleKey), {uiText(mLanguage, filterKey)}, suffix});
}

void SpreadsheetDialog::writeRows(const QString& path, const TextRows& rows) {
    QString reason;
    if (!exportTextRows(this, mLanguage, path, rows, &reason))
        showSaveError(path, reason);
}

void SpreadsheetDialog::showSaveError(const QString& path, const QString& reason) {
    QString message = uiText(mLanguage, "ui.sheet.unable_to_write", {path});
    if (!reason.isEmpty())
        message += QStringLiteral("\n") + reason;
    mPrompts.showMessage(this, MessageKind::Error, message);
}

void SpreadsheetDialog::exportWorkbook() {
    if (sheetRows() > kWorkbookMaxRows) {
        // Told before a name is chosen, with the way out.
        mPrompts.showMessage(
            this, MessageKind::Warning,
            uiText(mLanguage, "large.workbook_too_long",
                   {QString::number(sheetRows()), QString::number(kWorkbookMaxRows)}));
        return;
    }
    const QString path =
        askFile("ui.sheet.workbook_title", "ui.sheet.workbook_filter", QStringLiteral("xlsx"));
    if (path.isEmpty())
        return;
    ExportProgressWindow window(this, mLanguage, path);
    std::string reason;
    bool written = false;
    // Off the window's thread, which keeps answering while a long grid is compressed.
    window.runOffThread([&](const ExportProgress& progress) {
        written = WriteGridWorkbook(mGrid, path.toStdString(), &reason, progress);
    });
    if (!written && !reason.empty())
        showSaveError(path, QString::fromStdString(reason));
}

void SpreadsheetDialog::exportCsv() {
    const QString path =
        askFile("ui.sheet.csv_title", "ui.sheet.csv_filter", QStringLiteral("csv"));
    if (!path.isEmpty())
        writeRows(path, GridDelimitedRows(mGrid, ';', mDecimalSeparator));
}

void SpreadsheetDialog::exportText() {
    const QString path =
        askFile("ui.sheet.text_title", "ui.sheet.text_filter", QStringLiteral("txt"));
    if (!path.isEmpty())
        writeRows(path, GridFixedWidthRows(mGrid, mDecimalSeparator));
}

void SpreadsheetDialog::printSheet() {
    QPrinter printer;
    if (!mPrompts.printDialog(this, printer))
        return;
    QPainter painter;
    if (!painter.begin(&printer)) {
        showSaveError(printer.printerName(), {});
        return;
    }
    QFont font(QStringLiteral("Monospace"), 8);
    font.setStyleHint(QFont::TypeWriter);
    painter.setFont(font);
    const QFontMetricsF metrics(font, &printer);
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const auto perPage = std::max<std::size_t>(
        1, static_cast<std::size_t>((page.height() - metrics.height()) / metrics.height()));
    const int first = printer.fromPage() > 0 ? printer.fromPage() : 1;
    const int last = printer.toPage() > 0 ? printer.toPage() : INT_MAX;
    const TextRows rows = GridFixedWidthRows(mGrid, mDecimalSeparator);
    ExportProgressWindow window(this, mLanguage, windowTitle());
    const ExportProgress progress = window.progress();
    std::string line;
    bool pageStarted = false;
    for (std::size_t r = 0; r < rows.count; ++r) {
        const auto pageNumber = static_cast<int>(r / perPage) + 1;
        if (pageNumber > last || !progress(r, rows.count))
            break;
        if (pageNumber < first)
            continue;
        if (r % perPage == 0 && pageStarted)
            printer.newPage();
        pageStarted = true;
        line.clear();
        rows.append(r, line);
        const double y = static_cast<double>(r % perPage + 1) * metrics.height();
        line.erase(line.find_last_not_of("\r\n") + 1); // npos + 1 empties a blank line
        painter.drawText(QPointF(0.0, y), QString::fromStdString(line));
    }
    painter.end();
}

void SpreadsheetDialog::copySheet() {
    QApplication::clipboard()->setText(
        QString::fromStdString(GridBlockText(mGrid, 0, INT_MAX, 0, INT_MAX, mDecimalSeparator)));
}

void SpreadsheetDialog::copySelection() {
    const QModelIndexList selected = mTable->selectionModel()->selectedIndexes();
    if (selected.isEmpty())
        return;
    int top = INT_MAX, bottom = -1, left = INT_MAX, right = -1;
    for (const QModelIndex& i : selected) {
        top = std::min(top, i.row());
        bottom = std::max(bottom, i.row());
        left = std::min(left, i.column());
        right = std::max(right, i.column());
    }
    // Model rows are the samples; the sheet has the title and unit rows above them.
    QApplication::clipboard()->setText(QString::fromStdString(
        GridBlockText(mGrid, top + 2, bottom + 2, left, right, mDecimalSeparator)));
}

void SpreadsheetDialog::findText() {
    if (!mFindBox) {
        mFindBox = new QDialog(this);
        mFindBox->setObjectName(QStringLiteral("FindBox"));
        mFindBox->setWindowTitle(uiText(mLanguage, "ui.sheet.find_caption"));
        addHelpShortcut(*mFindBox, mLanguage, HelpContext::Results);
        mFindEdit = new QLineEdit(mFindBox);
        mFindEdit->setObjectName(QStringLiteral("FindEdit"));
        auto* next = new QPushButton(uiText(mLanguage, "ui.sheet.find_next"), mFindBox);
        next->setObjectName(QStringLiteral("FindNext"));
        next->setDefault(true);
        auto* close = new QPushButton(uiText(mLanguage, "ui.sheet.find_close"), mFindBox);
        close->setObjectName(QStringLiteral("FindClose"));
        auto* row = new QHBoxLayout(mFindBox);
        row->addWidget(new QLabel(uiText(mLanguage, "ui.sheet.find_what"), mFindBox));
        row->addWidget(mFindEdit, 1);
        row->addWidget(next);
        row->addWidget(close);
        connect(next, &QPushButton::clicked, this, [this] { findNext(mFindEdit->text()); });
        connect(close, &QPushButton::clicked, mFindBox, &QDialog::hide);
    }
    mFindBox->show();
    mFindBox->raise();
    mFindEdit->setFocus();
}

bool SpreadsheetDialog::findNext(const QString& text) {
    const int rows = mModel->rowCount();
    const int columns = mModel->columnCount();
    const qint64 cells = static_cast<qint64>(rows) * columns;
    if (text.isEmpty() || cells == 0)
        return false;
    const QModelIndex current = mTable->currentIndex();
    const qint64 start =
        current.isValid() ? current.row() * static_cast<qint64>(columns) + current.column() + 1 : 0;
    for (qint64 i = 0; i < cells; ++i) {
        const qint64 cell = (start + i) % cells;
        const int r = static_cast<int>(cell / columns);
        const int c = static_cast<int>(cell % columns);
        if (cellText(r + 2, c).contains(text, Qt::CaseInsensitive)) {
            const QModelIndex found = mModel->index(r, c);
            mTable->setCurrentIndex(found);
            mTable->scrollTo(found);
            return true;
        }
    }
    mPrompts.showMessage(this, MessageKind::Information,
                         uiText(mLanguage, "ui.sheet.not_found", {text}));
    return false;
}

} // namespace quibel
