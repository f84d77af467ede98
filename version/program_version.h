// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace quibel {

/// The program's version as the build sets it, "major.minor.patch" ("1.0.3").
std::string_view programVersion() noexcept;

} // namespace quibel
