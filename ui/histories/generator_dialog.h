// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/time_history_record.h"
#include "texts/text_catalogue.h"

#include <QDialog>

#include <array>

class QToolButton;

namespace quibel {

class NumericEdit;
class ChartWidget;

/// The function generator: a time history as the sum of up to four periodic terms (sine,
/// triangle, impulse), one per row of five fields and three shape buttons, with a preview of
/// their sum. A row is switched on by filling its values and pressing a shape button (it then
/// becomes active if its amplitude and period are not zero and it starts before it ends), and
/// switched off by releasing the button. Enter moves to the next field, as Tab does.
class GeneratorDialog final : public QDialog {
    Q_OBJECT
public:
    GeneratorDialog(const std::array<GeneratorTerm, 4>& terms, Language language,
                    QWidget* parent = nullptr);

    /// The terms as edited (after OK: as the rows were when OK was pressed).
    const std::array<GeneratorTerm, 4>& terms() const noexcept { return mTerms; }

    ChartWidget& chart() const noexcept { return *mChart; }

private:
    struct Row {
        std::array<NumericEdit*, 5> edits{}; ///< amplitude, period, phase, start, end
        QToolButton* sine = nullptr;
        QToolButton* triangle = nullptr;
        QToolButton* impulse = nullptr;
    };

    void takeRow(int row);
    void chooseShape(int row, QToolButton* clicked);
    void DrawPreview();
    void confirm();

    Language mLanguage;
    std::array<GeneratorTerm, 4> mTerms;
    std::array<Row, 4> mRows{};
    ChartWidget* mChart = nullptr;
};

} // namespace quibel
