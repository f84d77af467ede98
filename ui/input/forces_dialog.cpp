// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/input/forces_dialog.h"

#include "model/model_flags.h"
#include "ui/input/force_edit_dialog.h"
#include "ui/widgets/dialog_buttons.h"
#include "ui/widgets/help_topics.h"
#include "ui/widgets/help_window.h"
#include "ui/widgets/ui_text.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace quibel {

namespace {
QString withLocaleDecimals(QString line, const QLocale& locale) {
    return line.replace(u'.', locale.decimalPoint());
}
} // namespace

QString ForcesDialog::lineOf(const AddedForce& f, const QLocale& locale) {
    return withLocaleDecimals(
        QString::asprintf("(x:%8.3f, el:%8.3f) (H:%8.1f, V:%8.1f)", f.X, f.Y, f.Fh, f.Fv), locale);
}

QString ForcesDialog::lineOf(const AddedMass& m, const QLocale& locale) {
    return withLocaleDecimals(
        QString::asprintf("(x:%8.3f, el:%8.3f) (M:%8.1f, I:%8.3f)", m.X, m.Y, m.Mass, m.Inertia),
        locale);
}

ForcesDialog::ForcesDialog(const TBlocStatic& model, AddedItemKind kind, Language language,
                           QWidget* parent)
    : QDialog(parent), mKind(kind), mLanguage(language), mUnits(model.UnitSystem),
      mForces(model.Forces), mMasses(model.Masses) {
    const bool forces = kind == AddedItemKind::Forces;
    setUpDialogFrame(
        *this, "forces_dialog",
        uiText(language, forces ? "ui.forces.caption.forces" : "ui.forces.caption.masses"));

    auto* title = new QLabel(
        uiText(language, forces ? "ui.forces.title.forces" : "ui.forces.title.masses"), this);
    title->setObjectName(QStringLiteral("list_title_label"));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    mList = new QListWidget(this);
    mList->setObjectName(QStringLiteral("item_list"));
    mList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    mList->setSortingEnabled(false);
    QFont fixed(QStringLiteral("monospace"));
    fixed.setStyleHint(QFont::TypeWriter);
    mList->setFont(fixed); // the padded numbers line up
    mList->setMinimumWidth(380);

    auto* add = new QPushButton(
        uiText(language, forces ? "ui.forces.add.forces" : "ui.forces.add.masses"), this);
    add->setObjectName(QStringLiteral("add_button"));
    mRemove = new QPushButton(
        uiText(language, forces ? "ui.forces.remove.forces" : "ui.forces.remove.masses"), this);
    mRemove->setObjectName(QStringLiteral("remove_button"));
    mEdit = new QPushButton(
        uiText(language, forces ? "ui.forces.edit.forces" : "ui.forces.edit.masses"), this);
    mEdit->setObjectName(QStringLiteral("edit_button"));
    const auto [ok, cancel, help, buttons] = makeDialogButtons(this, language, "ui.forces");
    for (QPushButton* b : {add, mRemove, mEdit})
        b->setAutoDefault(false);
    ok->setDefault(true); // Enter closes with OK

    auto* listButtons = new QHBoxLayout;
    listButtons->addWidget(add);
    listButtons->addWidget(mRemove);
    listButtons->addWidget(mEdit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(mList);
    layout->addLayout(listButtons);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(mList, &QListWidget::itemSelectionChanged, this, &ForcesDialog::selectionChanged);
    connect(mList, &QListWidget::itemDoubleClicked, this, [this] {
        if (mEdit->isEnabled())
            editClicked();
    });
    connect(add, &QPushButton::clicked, this, &ForcesDialog::addClicked);
    connect(mEdit, &QPushButton::clicked, this, &ForcesDialog::editClicked);
    connect(mRemove, &QPushButton::clicked, this, &ForcesDialog::removeClicked);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] {
        showHelp(this, mLanguage,
                 mKind == AddedItemKind::Forces ? HelpContext::ForceList : HelpContext::MassList);
    });
    refresh();
}

void ForcesDialog::refresh() {
    mList->clear();
    const QLocale loc = locale();
    if (mKind == AddedItemKind::Forces) {
        for (const AddedForce& f : mForces.Items)
            mList->addItem(lineOf(f, loc));
    } else {
        for (const AddedMass& m : mMasses.Items)
            mList->addItem(lineOf(m, loc));
    }
    mList->clearSelection();
    mEdit->setEnabled(false);
    mRemove->setEnabled(false);
}

void ForcesDialog::selectionChanged() {
    const auto selected = mList->selectedItems().size();
    mEdit->setEnabled(selected == 1);
    mRemove->setEnabled(selected >= 1);
}

ForceEditDialog* ForcesDialog::openEntry() {
    auto* entry = new ForceEditDialog(mKind, mUnits, mLanguage, this);
    entry->setAttribute(Qt::WA_DeleteOnClose);
    entry->setNoticeHandler(mNotices);
    return entry;
}

void ForcesDialog::addClicked() {
    ForceEditDialog* entry = openEntry();
    entry->setValues({0, 0, 0, 0});
    connect(entry, &QDialog::accepted, this, [this, entry] {
        const ForceEditDialog::Values v = entry->values();
        if (mKind == AddedItemKind::Forces)
            mForces.Items.push_back({v[0], v[1], v[2], v[3]});
        else
            mMasses.Items.push_back({v[0], v[1], v[2], v[3]});
        refresh();
    });
    entry->open();
}

void ForcesDialog::editClicked() {
    // Edit is enabled only with exactly one selected item: that is the one edited.
    const QList<QListWidgetItem*> selected = mList->selectedItems();
    if (selected.size() != 1)
        return;
    const int row = mList->row(selected.front());
    const auto index = static_cast<std::size_t>(row);
    ForceEditDialog* entry = openEntry();
    if (mKind == AddedItemKind::Forces) {
        const AddedForce& f = mForces.Items.at(index);
        entry->setValues({f.X, f.Y, f.Fh, f.Fv});
    } else {
        const AddedMass& m = mMasses.Items.at(index);
        entry->setValues({m.X, m.Y, m.Mass, m.Inertia});
    }
    connect(entry, &QDialog::accepted, this, [this, entry, index] {
        const ForceEditDialog::Values v = entry->values();
        if (mKind == AddedItemKind::Forces) {
            AddedForce& f = mForces.Items.at(index);
            f.X = v[0], f.Y = v[1], f.Fh = v[2], f.Fv = v[3];
        } else {
            AddedMass& m = mMasses.Items.at(index);
            m.X = v[0], m.Y = v[1], m.Mass = v[2], m.Inertia = v[3];
        }
        refresh();
    });
    entry->open();
}

void ForcesDialog::removeClicked() {
    std::vector<bool> selected(static_cast<std::size_t>(mList->count()), false);
    for (QListWidgetItem* item : mList->selectedItems())
        selected[static_cast<std::size_t>(mList->row(item))] = true;
    auto keepUnselected = [&selected](auto& items) {
        std::decay_t<decltype(items)> kept;
        for (std::size_t i = 0; i < items.size(); ++i)
            if (i >= selected.size() || !selected[i])
                kept.push_back(items[i]);
        items = std::move(kept);
    };
    if (mKind == AddedItemKind::Forces)
        keepUnselected(mForces.Items);
    else
        keepUnselected(mMasses.Items);
    refresh();
}

void ForcesDialog::applyTo(TBlocStatic& model) const {
    if (mKind == AddedItemKind::Forces) {
        model.Forces = mForces;
        setFlag(model.ModelFlags, ModelFlag::HasForces, !mForces.Items.empty());
    } else {
        model.Masses = mMasses;
        setFlag(model.ModelFlags, ModelFlag::HasMasses, !mMasses.Items.empty());
    }
    setFlag(model.ModelFlags, ModelFlag::ResultsValid, false);
}

} // namespace quibel
