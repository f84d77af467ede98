// SPDX-License-Identifier: GPL-3.0-or-later
#include "version/program_version.h"

namespace quibel {

std::string_view programVersion() noexcept {
    return QUIBEL_VERSION_TEXT;
}

} // namespace quibel
