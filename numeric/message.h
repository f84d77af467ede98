// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace quibel {

/// A text for the user, named by its key in the text catalogue, with the values of its
/// placeholders %1..%9 already formatted. The core never renders it; the host (desktop
/// program, command-line tool) looks the key up in the language of its user.
struct Message final {
    std::string key;
    std::vector<std::string> args;

    Message() = default;
    explicit Message(std::string k) : key(std::move(k)) {}
    Message(std::string k, std::initializer_list<std::string> a) : key(std::move(k)), args(a) {}

    bool operator==(const Message&) const = default;
};

} // namespace quibel
