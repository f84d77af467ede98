// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "message.h"

#include <exception>
#include <string>

namespace quibel {

/// The one exception type of the core. It carries a catalogue message, so the host can show
/// it in the user's language; what() gives the key, for logs.
class Error : public std::exception {
public:
    explicit Error(Message message) : mMessage(std::move(message)) {}
    explicit Error(std::string key) : mMessage(std::move(key)) {}

    const Message& message() const noexcept { return mMessage; }
    const char* what() const noexcept override { return mMessage.key.c_str(); }

private:
    Message mMessage;
};

} // namespace quibel
