// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "signals/earthquake_database.h"
#include "texts/text_catalogue.h"

#include <QDialog>

#include <optional>
#include <vector>

class QTreeWidget;

namespace quibel {

/// The tree of the earthquake database: one top-level node per worksheet, with one child per
/// record. The selection is the node last selected (its text and its entry of the selection
/// table); it is empty when the dialog opens.
class DatabaseDialog final : public QDialog {
    Q_OBJECT
public:
    DatabaseDialog(const DatabaseCatalogue& catalogue, Language language,
                   QWidget* parent = nullptr);

    /// The selected node; none when nothing was selected. A worksheet node has Record 0.
    std::optional<DatabaseNode> selection() const { return mSelection; }

    QTreeWidget& tree() const noexcept { return *mTree; }

private:
    void followSelection();

    Language mLanguage;
    std::vector<DatabaseNode> mNodes; ///< the selection table, in node order
    std::optional<DatabaseNode> mSelection;
    QTreeWidget* mTree = nullptr;
};

} // namespace quibel
