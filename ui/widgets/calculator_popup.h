// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "texts/text_catalogue.h"
#include "ui/widgets/pocket_calculator.h"

#include <QFrame>
#include <QLocale>

class QLabel;

namespace quibel {

/// The pocket calculator that drops down under a calculator edit field. Keys: digits, the
/// decimal separator, + - * /, = (or the "=" button) to complete an operation, Backspace,
/// Delete or "C" to clear, Enter (or "OK") to complete the operation and give the
/// result to the field, Escape or a click elsewhere to close without a result.
class CalculatorPopup final : public QFrame {
    Q_OBJECT
public:
    explicit CalculatorPopup(QWidget* field);

    /// Starts a calculation from value.
    void start(double value, const QLocale& locale, Language language);
    /// Shows the calculator under widget, kept on its screen.
    void showBelow(QWidget* widget);

    /// The text of the calculator's display.
    QString displayText() const;

signals:
    /// Enter or OK: the calculation's result, which the field takes.
    void valueAccepted(double value);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void press(QChar key);
    void accept();
    void refresh();

    PocketCalculator mCalculator;
    QLocale mLocale;
    Language mLanguage = Language::English;
    QLabel* mDisplay = nullptr;
};

} // namespace quibel
