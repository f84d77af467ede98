// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <vector>

namespace quibel {

static_assert(std::endian::native == std::endian::little,
              "the project file is little-endian; add byte swapping for this platform");

/// Appends little-endian fields to a byte buffer.
class ByteWriter final {
public:
    void u8(std::uint8_t v) { mBytes.push_back(v); }
    void i16(std::int16_t v) { raw(&v, 2); }
    void u16(std::uint16_t v) { raw(&v, 2); }
    void i32(std::int32_t v) { raw(&v, 4); }
    void f64(double v) { raw(&v, 8); }
    void zeros(std::size_t n) { mBytes.insert(mBytes.end(), n, 0); }
    void bytes(const void* p, std::size_t n) { raw(p, n); }

    const std::vector<std::uint8_t>& data() const noexcept { return mBytes; }
    std::vector<std::uint8_t> take() noexcept { return std::move(mBytes); }

private:
    void raw(const void* p, std::size_t n) {
        const std::size_t at = mBytes.size();
        mBytes.resize(at + n);
        std::memcpy(mBytes.data() + at, p, n);
    }
    std::vector<std::uint8_t> mBytes;
};

/// Reads little-endian fields from a byte buffer. Every read checks the bytes left and
/// returns false at the end of the data, so a short file can never be read past its end.
class ByteReader final {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : mBytes(bytes) {}

    std::size_t remaining() const noexcept { return mBytes.size() - mPos; }

    [[nodiscard]] bool u8(std::uint8_t& v) noexcept { return raw(&v, 1); }
    [[nodiscard]] bool i16(std::int16_t& v) noexcept { return raw(&v, 2); }
    [[nodiscard]] bool u16(std::uint16_t& v) noexcept { return raw(&v, 2); }
    [[nodiscard]] bool i32(std::int32_t& v) noexcept { return raw(&v, 4); }
    [[nodiscard]] bool f64(double& v) noexcept { return raw(&v, 8); }
    [[nodiscard]] bool skip(std::size_t n) noexcept {
        if (remaining() < n)
            return false;
        mPos += n;
        return true;
    }
    [[nodiscard]] bool bytes(void* p, std::size_t n) noexcept { return raw(p, n); }

private:
    bool raw(void* p, std::size_t n) noexcept {
        if (remaining() < n)
            return false;
        std::memcpy(p, mBytes.data() + mPos, n);
        mPos += n;
        return true;
    }
    std::span<const std::uint8_t> mBytes;
    std::size_t mPos = 0;
};

} // namespace quibel
