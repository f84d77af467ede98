// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/numeric_edit.h"

#include "ui/widgets/calculator_popup.h"
#include "ui/widgets/display_mask.h"
#include "ui/widgets/ui_text.h"

#include <QAction>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <QToolTip>
#include <QValidator>

#include <algorithm>
#include <cmath>

namespace quibel {

namespace {
// Accepts an optional sign, digits and one decimal separator (the locale's or ".") followed
// by at most `decimals` digits; nothing else, so a typed value always reads back.
class NumberValidator final : public QValidator {
public:
    explicit NumberValidator(NumericEdit* edit) : QValidator(edit), mEdit(edit) {}

    State validate(QString& input, int&) const override {
        const QString decimal = mEdit->locale().decimalPoint();
        bool seenPoint = false, seenDigit = false;
        int fractionDigits = 0;
        for (qsizetype i = 0; i < input.size(); ++i) {
            const QChar c = input[i];
            if ((c == u'-' || c == u'+') && i == 0) {
                if (c == u'-' && mEdit->hasRange() && mEdit->minimum() >= 0)
                    return Invalid;
                continue;
            }
            if ((c == u'.' || QString(c) == decimal) && !seenPoint) {
                if (mEdit->decimals() <= 0)
                    return Invalid;
                seenPoint = true;
                continue;
            }
            if (!c.isDigit() || c.unicode() > 127)
                return Invalid;
            seenDigit = true;
            if (seenPoint && ++fractionDigits > mEdit->decimals())
                return Invalid;
        }
        return seenDigit ? Acceptable : Intermediate;
    }

private:
    const NumericEdit* mEdit;
};

QIcon calculatorIcon() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QColor(60, 60, 60));
    p.setBrush(QColor(235, 235, 235));
    p.drawRoundedRect(QRectF(2.5, 0.5, 11, 15), 1.5, 1.5);
    p.setBrush(QColor(170, 200, 170));
    p.drawRect(QRectF(4.5, 2.5, 7, 3));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 60, 60));
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            p.drawRect(QRectF(4.5 + col * 2.5, 7.5 + row * 2.5, 1.5, 1.5));
    return QIcon(pixmap);
}

QString rangeNumber(double v, const QLocale& locale) {
    return locale.toString(v, 'g', 12);
}
} // namespace

NumericEdit::NumericEdit(QWidget* parent) : QLineEdit(parent) {
    setValidator(new NumberValidator(this));
    showValue();
}

NumericEdit::~NumericEdit() = default;

void NumericEdit::setValue(double value) {
    takeValue(value, false);
}

void NumericEdit::setRange(double minimum, double maximum) {
    mHasRange = true;
    mMinimum = std::min(minimum, maximum);
    mMaximum = std::max(minimum, maximum);
    takeValue(mValue, false);
}

void NumericEdit::clearRange() {
    mHasRange = false;
}

void NumericEdit::setDecimals(int decimals) {
    mDecimals = std::clamp(decimals, 0, 15);
}

void NumericEdit::setDisplayMask(const QString& mask) {
    mDisplayMask = mask;
    showValue();
}

void NumericEdit::setCalculatorEnabled(bool enabled) {
    if (enabled == calculatorEnabled())
        return;
    if (enabled) {
        mCalculatorAction = addAction(calculatorIcon(), QLineEdit::TrailingPosition);
        mCalculatorAction->setObjectName(QStringLiteral("calculator_action"));
        mCalculatorAction->setToolTip(uiText(mLanguage, "ui.edit.calculator_tip"));
        connect(mCalculatorAction, &QAction::triggered, this, &NumericEdit::openCalculator);
    } else {
        delete mCalculatorAction;
        mCalculatorAction = nullptr;
    }
}

void NumericEdit::setLanguage(Language language) {
    mLanguage = language;
    if (mCalculatorAction)
        mCalculatorAction->setToolTip(uiText(mLanguage, "ui.edit.calculator_tip"));
}

void NumericEdit::openCalculator() {
    if (!calculatorEnabled() || !isEnabled() || isReadOnly())
        return;
    finishEditing();
    if (!mCalculator) {
        mCalculator = new CalculatorPopup(this);
        connect(mCalculator, &CalculatorPopup::valueAccepted, this, [this](double v) {
            // The field keeps only the decimals it accepts when typing.
            if (std::fabs(v) < 1e15) {
                const double scale = std::pow(10.0, mDecimals);
                v = std::round(v * scale) / scale;
            }
            takeValue(v, true);
        });
    }
    mCalculator->start(mValue, locale(), mLanguage);
    mCalculator->showBelow(this);
}

double NumericEdit::bounded(double value) const {
    if (!std::isfinite(value))
        value = 0.0;
    if (!mHasRange)
        return value;
    return std::clamp(value, mMinimum, mMaximum);
}

void NumericEdit::takeValue(double value, bool tellRange) {
    const double b = bounded(value);
    if (tellRange && b != value) {
        const QString message =
            uiText(mLanguage, "ui.edit.out_of_range",
                   {rangeNumber(mMinimum, locale()), rangeNumber(mMaximum, locale())});
        if (isVisible())
            QToolTip::showText(mapToGlobal(QPoint(0, height())), message, this);
        emit rangeReported(message);
    }
    const bool changed = b != mValue;
    mValue = b;
    showValue();
    if (changed)
        emit valueChanged(mValue);
}

void NumericEdit::finishEditing() {
    if (!mEditing || !isModified())
        return;
    QString typed = text().trimmed();
    typed.replace(locale().decimalPoint(), QStringLiteral("."));
    bool ok = false;
    double v = typed.toDouble(&ok);
    if (!ok)
        v = 0.0; // an empty field or a lone sign reads as zero
    takeValue(v, true);
}

QString NumericEdit::editText() const {
    QString s = QString::number(mValue, 'f', mDecimals);
    if (s.contains(u'.')) {
        while (s.endsWith(u'0'))
            s.chop(1);
        if (s.endsWith(u'.'))
            s.chop(1);
    }
    if (s == QStringLiteral("-0"))
        s = QStringLiteral("0");
    s.replace(u'.', locale().decimalPoint());
    return s;
}

void NumericEdit::showValue() {
    setText(mEditing ? editText() : formatDisplayMask(mValue, mDisplayMask, locale()));
}

void NumericEdit::focusInEvent(QFocusEvent* event) {
    if (!mEditing) {
        mEditing = true;
        showValue();
    }
    emit entered();
    QLineEdit::focusInEvent(event);
}

void NumericEdit::focusOutEvent(QFocusEvent* event) {
    // The field's own calculator or a context menu takes the focus only for a moment.
    if (event->reason() != Qt::PopupFocusReason) {
        finishEditing();
        mEditing = false;
        showValue();
    }
    QLineEdit::focusOutEvent(event);
}

void NumericEdit::keyPressEvent(QKeyEvent* event) {
    const bool dropDown = event->key() == Qt::Key_F2 ||
                          (event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier));
    if (dropDown && calculatorEnabled()) {
        openCalculator();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        finishEditing();
    QLineEdit::keyPressEvent(event);
}

void NumericEdit::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LocaleChange)
        showValue();
    QLineEdit::changeEvent(event);
}

} // namespace quibel
