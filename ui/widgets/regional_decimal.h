// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quibel {

/// The decimal separator of the user's regional settings (QLocale()) as one character, for
/// the core's number texts; "." when the locale's separator is not a single ASCII character.
char regionalDecimalSeparator();

} // namespace quibel
