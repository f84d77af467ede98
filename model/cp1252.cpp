// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/cp1252.h"

#include <array>
#include <cstdint>

namespace quibel {

namespace {
// Code points of bytes 0x80..0x9F; the rest of the code page matches Latin-1.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

char encode(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<char>(cp);
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == cp)
            return static_cast<char>(0x80 + i);
    return '?';
}
} // namespace

std::string cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char c : bytes) {
        auto b = static_cast<unsigned char>(c);
        if (b < 0x80)
            out += c;
        else if (b < 0xA0)
            appendUtf8(out, kHigh[b - 0x80]);
        else
            appendUtf8(out, b);
    }
    return out;
}

std::string utf8ToCp1252(std::string_view s, std::size_t maxBytes) {
    std::string out;
    std::size_t i = 0;
    while (i < s.size() && out.size() < maxBytes) {
        auto b = static_cast<unsigned char>(s[i]);
        char32_t cp = 0;
        std::size_t len = 0;
        if (b < 0x80) {
            cp = b;
            len = 1;
        } else if ((b & 0xE0) == 0xC0) {
            cp = b & 0x1F;
            len = 2;
        } else if ((b & 0xF0) == 0xE0) {
            cp = b & 0x0F;
            len = 3;
        } else if ((b & 0xF8) == 0xF0) {
            cp = b & 0x07;
            len = 4;
        } else {
            out += '?';
            ++i;
            continue;
        }
        bool valid = i + len <= s.size();
        for (std::size_t k = 1; valid && k < len; ++k) {
            auto cb = static_cast<unsigned char>(s[i + k]);
            if ((cb & 0xC0) != 0x80)
                valid = false;
            else
                cp = (cp << 6) | (cb & 0x3F);
        }
        if (!valid) {
            out += '?';
            ++i;
            continue;
        }
        out += encode(cp);
        i += len;
    }
    return out;
}

} // namespace quibel
