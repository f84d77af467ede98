// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace quibel {

/// Titles are single-byte Windows-1252 on disk and UTF-8 in memory.

/// Decodes Windows-1252 bytes to UTF-8. The five bytes the code page leaves undefined are
/// kept as the C1 control characters of the same number.
std::string cp1252ToUtf8(std::string_view bytes);

/// Encodes UTF-8 to Windows-1252; a character the code page cannot hold, or a malformed UTF-8
/// sequence, becomes "?". At most maxBytes bytes are produced.
std::string utf8ToCp1252(std::string_view utf8, std::size_t maxBytes = 255);

} // namespace quibel
