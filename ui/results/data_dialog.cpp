// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/results/data_dialog.h"

#include "reporting/computed_data_report.h"
#include "ui/widgets/help_topics.h"
#include "ui/widgets/help_window.h"
#include "ui/widgets/regional_decimal.h"
#include "ui/widgets/save_text_file.h"
#include "ui/widgets/ui_text.h"
#include "ui/widgets/user_prompts.h"

#include <QFontDatabase>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QVBoxLayout>

namespace quibel {

namespace {

QFont reportFont() {
    QFont font(QStringLiteral("Courier"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    if (!QFontInfo(font).fixedPitch())
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    return font;
}

} // namespace

DataDialog::DataDialog(const TBlocStatic& model, Language language, UserPrompts& prompts,
                       QWidget* parent)
    : QDialog(parent), mLanguage(language), mPrompts(prompts),
      mPrinter(std::make_unique<QPrinter>()) {
    setObjectName(QStringLiteral("DataDialog"));
    setWindowTitle(uiText(language, "ui.data.caption"));
    resize(720, 520);
    const bool english = language == Language::English;
    auto t = [language](const char* key) { return uiText(language, key); };

    auto* menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("MainMenu"));
    auto add = [this](QMenu* menu, const QString& text, const char* name, QKeySequence key,
                      auto slot) {
        QAction* a = menu->addAction(text, this, slot);
        a->setObjectName(QLatin1String(name));
        a->setShortcut(key);
        a->setShortcutContext(Qt::WindowShortcut);
        return a;
    };
    QMenu* file = menuBar->addMenu(t("ui.data.menu.file"));
    add(file, t("ui.data.save_as"), "ActionSaveAs",
        english ? QKeySequence(Qt::ALT | Qt::Key_S) : QKeySequence(Qt::CTRL | Qt::Key_S),
        &DataDialog::saveAs);
    add(file, t("ui.data.print"), "ActionPrint", QKeySequence(Qt::CTRL | Qt::Key_P),
        &DataDialog::printReport);
    add(file, t("ui.data.close"), "ActionClose", QKeySequence(Qt::ALT | Qt::Key_X),
        &QDialog::accept);
    QMenu* edit = menuBar->addMenu(t("ui.data.menu.edit"));
    add(edit, t("ui.data.copy"), "ActionCopy", QKeySequence(Qt::CTRL | Qt::Key_C),
        &DataDialog::copyToClipboard);
    QMenu* help = menuBar->addMenu(t("ui.data.menu.help"));
    add(help, t("ui.data.help"), "ActionHelp", QKeySequence(Qt::Key_F1), &DataDialog::showHelpPage);

    mMemo = new QPlainTextEdit(this);
    mMemo->setObjectName(QStringLiteral("Memo"));
    mMemo->setFont(reportFont());
    mMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    mMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    mMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QStringList lines;
    for (const std::string& line : ComputedDataReport(model, language, regionalDecimalSeparator()))
        lines << QString::fromStdString(line);
    mMemo->setPlainText(lines.join(QLatin1Char('\n')));

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    layout->addWidget(mMemo);
}

DataDialog::~DataDialog() = default;

void DataDialog::saveAs() {
    const QString path = mPrompts.saveFileName(this, {uiText(mLanguage, "ui.data.save_title"),
                                                      {uiText(mLanguage, "ui.data.filter")},
                                                      QStringLiteral("txt")});
    if (path.isEmpty())
        return;
    QByteArray bytes;
    for (const QString& line : mMemo->toPlainText().split(QLatin1Char('\n')))
        bytes += line.toUtf8() + '\n';
    QString reason;
    if (!saveTextFile(path, bytes, &reason))
        mPrompts.showMessage(this, MessageKind::Error,
                             uiText(mLanguage, "ui.data.unable_to_write", {path}) +
                                 QStringLiteral("\n") + reason);
}

bool DataDialog::printReport() {
    QPainter painter;
    bool printed = mPrinter->isValid() && painter.begin(mPrinter.get());
    if (printed) {
        painter.setFont(QFont(reportFont(), mPrinter.get()));
        const QFontMetrics metrics(painter.font());
        const QRect page = painter.viewport();
        int y = metrics.ascent();
        for (const QString& line : mMemo->toPlainText().split(QLatin1Char('\n'))) {
            if (y > page.height() && !mPrinter->newPage()) {
                printed = false;
                break;
            }
            if (y > page.height())
                y = metrics.ascent();
            painter.drawText(0, y, line);
            y += metrics.lineSpacing();
        }
        printed = painter.end() && printed;
    }
    if (!printed)
        mPrompts.showMessage(this, MessageKind::Error, uiText(mLanguage, "ui.data.print_error"));
    return printed;
}

void DataDialog::copyToClipboard() {
    if (mMemo->textCursor().hasSelection())
        mMemo->copy();
}

void DataDialog::showHelpPage() {
    showHelp(this, mLanguage, HelpContext::ComputedData);
}

} // namespace quibel
