// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/enums.h"
#include "texts/text_catalogue.h"
#include "ui/input/added_item_kind.h"
#include "ui/widgets/dialog_notice.h"

#include <QDialog>

#include <array>

namespace quibel {

class NumericEdit;

/// The entry of one added force (X, Y, Fh, Fv) or added mass (X, Y, Mass, Inertia), in the
/// project's units. Ok is refused while the two magnitudes are both 0 ("No force!" / "No
/// mass!"); positions are not checked. Enter moves to the next control as Tab does.
class ForceEditDialog final : public QDialog {
    Q_OBJECT
public:
    /// The four values, in field order: X, Y, then Fh and Fv, or Mass and Inertia.
    using Values = std::array<double, 4>;

    ForceEditDialog(AddedItemKind kind, UnitSystem units, Language language,
                    QWidget* parent = nullptr);

    void setValues(const Values& values);
    Values values() const;

    void setNoticeHandler(NoticeHandler handler) { mNotices = std::move(handler); }

private:
    void okClicked();

    AddedItemKind mKind;
    Language mLanguage;
    NoticeHandler mNotices = messageBoxNotices();
    std::array<NumericEdit*, 4> mFields{};
};

} // namespace quibel
