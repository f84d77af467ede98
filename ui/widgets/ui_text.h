// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "numeric/message.h"
#include "texts/text_catalogue.h"

#include <QString>
#include <QStringList>

#include <string_view>

namespace quibel {

/// The catalogue text of key in language, as a QString.
QString uiText(Language language, std::string_view key);

/// The catalogue text of key with %1..%9 replaced by args.
QString uiText(Language language, std::string_view key, const QStringList& args);

/// A core message (key and formatted arguments) in language.
QString renderMessage(Language language, const Message& message);

/// printf-style fixed-point number ("%<width>.<decimals>f": right-aligned in at least width
/// characters) with the decimal separator of the user's regional settings (QLocale()).
QString fixedNumber(double value, int width, int decimals);

} // namespace quibel
