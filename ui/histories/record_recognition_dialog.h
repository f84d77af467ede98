// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "signals/records/record_data.h"
#include "texts/text_catalogue.h"

#include <QDialog>

class QComboBox;
class QLabel;

namespace quibel {

/// Shows what the automatic import recognised in a record file (format, station, event, the
/// component's n, dt, units and PGA, the reader's remarks) before the user confirms it; a file
/// of several components lets the user choose one.
class RecordRecognitionDialog final : public QDialog {
    Q_OBJECT
public:
    /// data must outlive the dialog and hold at least one component.
    RecordRecognitionDialog(const RecordData& data, Language language, QWidget* parent = nullptr);

    /// The component chosen, 0-based in file order.
    std::size_t component() const;

private:
    void showComponent();

    const RecordData& mData;
    Language mLanguage;
    QComboBox* mComponentBox = nullptr;
    QLabel* mCount = nullptr;
    QLabel* mStep = nullptr;
    QLabel* mUnits = nullptr;
    QLabel* mPga = nullptr;
};

} // namespace quibel
