// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "signals/history_text_import.h"
#include "texts/text_catalogue.h"

#include <QDialog>

class QRadioButton;

namespace quibel {

class NumericEdit;

/// Asks how the numbers of a time-history text file are arranged: time and amplitude pairs,
/// or amplitudes only at a constant time step, which is typed here; or leaves it to the record
/// readers to recognise the file's format.
class FileFormatDialog final : public QDialog {
    Q_OBJECT
public:
    explicit FileFormatDialog(Language language, QWidget* parent = nullptr);

    HistoryFileFormat format() const;
    /// The record readers recognise the format (a file none recognises is read as pairs).
    bool automatic() const;
    /// The time step typed for amplitudes only or for a record that states none, s (0 unless
    /// typed).
    double timeStep() const;

private:
    void followArrangement();
    void confirm();

    Language mLanguage;
    QRadioButton* mAutomaticButton = nullptr;
    QRadioButton* mPairsButton = nullptr;
    QRadioButton* mAmplitudesButton = nullptr;
    NumericEdit* mEditTimeStep = nullptr;
};

} // namespace quibel
