// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/regional_decimal.h"

#include <QLocale>

namespace quibel {

char regionalDecimalSeparator() {
    const QString p = QLocale().decimalPoint();
    return p.size() == 1 && p[0].unicode() < 128 ? static_cast<char>(p[0].unicode()) : '.';
}

} // namespace quibel
