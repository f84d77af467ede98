// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/added_items.h"
#include "model/project_record.h"
#include "texts/text_catalogue.h"
#include "ui/input/added_item_kind.h"
#include "ui/widgets/dialog_notice.h"

#include <QDialog>

class QListWidget;
class QPushButton;

namespace quibel {

class ForceEditDialog;

/// The list of added forces or added masses. It edits a working copy of the model's list (Add,
/// Edit, Remove, double-click to edit); applyTo() replaces the model's list after OK and sets
/// HasForces or HasMasses by whether the list holds an item; Cancel leaves the model alone.
class ForcesDialog final : public QDialog {
    Q_OBJECT
public:
    ForcesDialog(const TBlocStatic& model, AddedItemKind kind, Language language,
                 QWidget* parent = nullptr);

    AddedItemKind kind() const noexcept { return mKind; }
    /// The working lists; only the one of the dialog's kind is edited.
    const TForcesArray& forces() const noexcept { return mForces; }
    const TMassesArray& masses() const noexcept { return mMasses; }

    /// OK's writing of the model: the list of the dialog's kind, its Has flag, ResultsValid
    /// cleared.
    void applyTo(TBlocStatic& model) const;

    /// The list line of an item, numbers with the decimal separator of locale.
    static QString lineOf(const AddedForce& force, const QLocale& locale);
    static QString lineOf(const AddedMass& mass, const QLocale& locale);

    /// Also used by the entry dialogs the list opens.
    void setNoticeHandler(NoticeHandler handler) { mNotices = std::move(handler); }

private:
    void refresh();
    void selectionChanged();
    void addClicked();
    void editClicked();
    void removeClicked();
    ForceEditDialog* openEntry();

    AddedItemKind mKind;
    Language mLanguage;
    UnitSystem mUnits;
    NoticeHandler mNotices = messageBoxNotices();
    TForcesArray mForces;
    TMassesArray mMasses;
    QListWidget* mList = nullptr;
    QPushButton* mEdit = nullptr;
    QPushButton* mRemove = nullptr;
};

} // namespace quibel
