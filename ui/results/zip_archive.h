// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace quibel {

/// A ZIP archive written one member after the other: small members whole, one large member at a
/// time streamed. A streamed member is cut into chunks that worker threads deflate side by side
/// (each chunk primed with the 32 KiB of text before it, so that the chunks join into one
/// deflate stream), which keeps the memory bounded and the cores busy: the text of a large
/// worksheet is written faster than one thread compresses it. Every call after a failure does
/// nothing and returns false; error() tells the first failure.
class ZipArchive final {
public:
    /// Creates (or empties) the file at path; ok() tells whether it could be.
    explicit ZipArchive(const std::string& path);
    /// Closes the file if close() was not called, the archive then unfinished.
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    bool ok() const noexcept;
    const std::string& error() const noexcept;

    /// A member of the archive with the bytes of text.
    bool addMember(const char* name, std::string_view text);

    /// Starts a streamed member; large64 when it may exceed 4 GiB.
    bool beginMember(const char* name, bool large64);
    /// Room for at least bytes (at most kMaxRoom) more bytes of the streamed member: write them
    /// at the pointer returned, then hand the end of what was written to commit().
    char* room(std::size_t bytes);
    void commit(char* end) noexcept;
    /// Ends the streamed member once every chunk is compressed and written.
    bool endMember();

    /// Writes the directory and closes the file.
    bool close();

    static constexpr std::size_t kMaxRoom = 1 << 16;

private:
    struct State;
    std::unique_ptr<State> mState;
};

} // namespace quibel
