// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/histories/database_dialog.h"

#include "ui/widgets/help_topics.h"
#include "ui/widgets/help_window.h"
#include "ui/widgets/ui_text.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quibel {

namespace {
constexpr int kNodeIndexRole = Qt::UserRole; // index of the node in the selection table
}

DatabaseDialog::DatabaseDialog(const DatabaseCatalogue& catalogue, Language language,
                               QWidget* parent)
    : QDialog(parent), mLanguage(language), mNodes(catalogue.Nodes) {
    setObjectName(QStringLiteral("DatabaseDialog"));
    setWindowTitle(uiText(language, "ui.database.caption"));
    resize(420, 460);

    auto* group = new QGroupBox(uiText(language, "ui.database.group"), this);
    group->setObjectName(QStringLiteral("RecordGroup"));
    mTree = new QTreeWidget(group);
    mTree->setObjectName(QStringLiteral("RecordTree"));
    mTree->setHeaderHidden(true);
    mTree->setColumnCount(1);
    // Long record titles are shown whole: the column takes the width of the longest and the
    // tree scrolls sideways; each item's tool tip holds its title too.
    mTree->header()->setStretchLastSection(false);
    mTree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    mTree->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QTreeWidgetItem* sheet = nullptr;
    for (std::size_t i = 0; i < mNodes.size(); ++i) {
        const DatabaseNode& node = mNodes[i];
        QTreeWidgetItem* item = nullptr;
        if (!node.isRecord() || sheet == nullptr) {
            item = new QTreeWidgetItem(mTree);
            sheet = item;
        } else {
            item = new QTreeWidgetItem(sheet);
        }
        item->setText(0, QString::fromStdString(node.Text));
        item->setToolTip(0, item->text(0));
        item->setData(0, kNodeIndexRole, static_cast<int>(i));
    }
    mTree->setCurrentItem(nullptr);
    connect(mTree, &QTreeWidget::itemSelectionChanged, this, &DatabaseDialog::followSelection);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(mTree);

    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton(uiText(language, "ui.database.ok"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("ButtonOk"));
    ok->setDefault(true);
    auto* cancel =
        buttons->addButton(uiText(language, "ui.database.cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("ButtonCancel"));
    auto* help =
        buttons->addButton(uiText(language, "ui.database.help"), QDialogButtonBox::HelpRole);
    help->setObjectName(QStringLiteral("HelpBtn"));
    buttons->setCenterButtons(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this,
            [this] { showHelp(this, mLanguage, HelpContext::EarthquakeDatabase); });
    // A double click on a record chooses it at once.
    connect(mTree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (item != nullptr && item->parent() != nullptr)
            accept();
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
}

void DatabaseDialog::followSelection() {
    const QList<QTreeWidgetItem*> selected = mTree->selectedItems();
    if (selected.isEmpty())
        return;
    const int index = selected.constFirst()->data(0, kNodeIndexRole).toInt();
    if (index >= 0 && index < static_cast<int>(mNodes.size()))
        mSelection = mNodes[static_cast<std::size_t>(index)];
}

} // namespace quibel
