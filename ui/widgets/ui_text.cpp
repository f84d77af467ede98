// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/ui_text.h"

#include <QLocale>

#include <cstdio>
#include <string>
#include <vector>

namespace quibel {

QString uiText(Language language, std::string_view key) {
    const std::string_view t = text(language, key);
    return QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size()));
}

QString uiText(Language language, std::string_view key, const QStringList& args) {
    std::vector<std::string> utf8;
    utf8.reserve(static_cast<std::size_t>(args.size()));
    for (const QString& a : args)
        utf8.push_back(a.toStdString());
    return QString::fromStdString(substitute(text(language, key), utf8));
}

QString renderMessage(Language language, const Message& message) {
    return QString::fromStdString(render(language, message));
}

QString fixedNumber(double value, int width, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%*.*f", width, decimals, value);
    QString s = QString::fromLatin1(buffer);
    // snprintf follows the C locale, which the program never changes: its '.' is the separator.
    const QString point = QLocale().decimalPoint();
    if (point != QLatin1String("."))
        s.replace(QLatin1Char('.'), point);
    return s;
}

} // namespace quibel
