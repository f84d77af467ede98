// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

namespace quibel::test {

/// The whole content of the file at path, byte for byte (expected texts kept as files).
/// Throws std::runtime_error when it cannot be opened, so that a missing file fails the test
/// that reads it.
inline std::string readTextFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace quibel::test
