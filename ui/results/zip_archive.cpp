// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/results/zip_archive.h"

#include <zip.h>
#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <ctime>
#include <deque>
#include <mutex>
#include <new>
#include <thread>
#include <vector>

namespace quibel {

namespace {

// The fastest level: at level 6 deflating a long worksheet takes three times as long for a
// file only a sixth smaller.
constexpr int kLevel = Z_BEST_SPEED;
// Text per chunk: large enough that priming and flushing cost nothing, small enough that the
// chunks in flight hold a few megabytes.
constexpr std::size_t kChunkBytes = std::size_t{1} << 20;
// What deflate can look back on: the tail of the text before a chunk.
constexpr std::size_t kWindowBytes = std::size_t{1} << 15;

std::string systemReason(const char* what) {
    const int code = errno;
    return code != 0 ? std::string(what) + ": " + std::strerror(code) : std::string(what);
}

zip_fileinfo memberInfo() {
    zip_fileinfo info{};
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local)) {
        info.tmz_date.tm_sec = static_cast<uInt>(local.tm_sec);
        info.tmz_date.tm_min = static_cast<uInt>(local.tm_min);
        info.tmz_date.tm_hour = static_cast<uInt>(local.tm_hour);
        info.tmz_date.tm_mday = static_cast<uInt>(local.tm_mday);
        info.tmz_date.tm_mon = static_cast<uInt>(local.tm_mon);
        info.tmz_date.tm_year = static_cast<uInt>(local.tm_year + 1900);
    }
    return info;
}

/// One chunk of a streamed member: its text, the text before it that deflate may refer to,
/// and once compressed its deflate blocks and the CRC of its text.
struct Chunk {
    enum class Stage { Free, Queued, Packed };
    std::unique_ptr<char[]> text;
    std::size_t size = 0;
    std::string window;
    std::vector<unsigned char> packed;
    uLong crc = 0;
    bool last = false;
    bool failed = false;
    Stage stage = Stage::Free;
};

} // namespace

struct ZipArchive::State {
    zipFile file = nullptr;
    std::string error;

    // The streamed member.
    std::vector<Chunk> chunks;
    std::size_t current = 0; // the chunk being filled
    bool streaming = false;
    uLong crc = 0;
    ZPOS64_T length = 0;

    // The workers and what they share with the writing thread.
    std::vector<std::thread> workers;
    std::mutex mutex;
    std::condition_variable queued;
    std::condition_variable packed;
    std::deque<Chunk*> queue;
    bool stopping = false;

    bool fail(std::string reason) {
        if (error.empty())
            error = reason.empty() ? std::string("cannot write the workbook") : std::move(reason);
        return false;
    }

    void work() {
        z_stream z{};
        const bool ready =
            deflateInit2(&z, kLevel, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) == Z_OK;
        for (;;) {
            Chunk* chunk = nullptr;
            {
                std::unique_lock lock(mutex);
                queued.wait(lock, [this] { return stopping || !queue.empty(); });
                if (stopping)
                    break;
                chunk = queue.front();
                queue.pop_front();
            }
            try {
                chunk->failed = !ready || !deflateChunk(z, *chunk);
            } catch (const std::bad_alloc&) {
                chunk->failed = true; // told by the writing thread, as any other failure
            }
            chunk->crc = crc32(0, reinterpret_cast<const Bytef*>(chunk->text.get()),
                               static_cast<uInt>(chunk->size));
            {
                std::lock_guard lock(mutex);
                chunk->stage = Chunk::Stage::Packed;
            }
            packed.notify_all();
        }
        if (ready)
            deflateEnd(&z);
    }

    // Raw deflate blocks of the chunk; all but the last end with a sync flush, on a byte
    // boundary and not final, so that the next chunk's blocks follow them directly.
    static bool deflateChunk(z_stream& z, Chunk& chunk) {
        if (deflateReset(&z) != Z_OK)
            return false;
        if (!chunk.window.empty() &&
            deflateSetDictionary(&z, reinterpret_cast<const Bytef*>(chunk.window.data()),
                                 static_cast<uInt>(chunk.window.size())) != Z_OK)
            return false;
        chunk.packed.resize(deflateBound(&z, static_cast<uLong>(chunk.size)) + 64);
        z.next_in = reinterpret_cast<Bytef*>(chunk.text.get());
        z.avail_in = static_cast<uInt>(chunk.size);
        std::size_t produced = 0;
        const int flush = chunk.last ? Z_FINISH : Z_SYNC_FLUSH;
        for (;;) {
            z.next_out = chunk.packed.data() + produced;
            z.avail_out = static_cast<uInt>(chunk.packed.size() - produced);
            const int status = deflate(&z, flush);
            produced = chunk.packed.size() - z.avail_out;
            if (status == Z_STREAM_ERROR)
                return false;
            if (chunk.last ? status == Z_STREAM_END : z.avail_out > 0)
                break;
            chunk.packed.resize(chunk.packed.size() * 2);
        }
        chunk.packed.resize(produced);
        return true;
    }

    void startWorkers() {
        const unsigned cores = std::thread::hardware_concurrency();
        const unsigned count = std::clamp(cores, 1U, 4U);
        // One chunk filled while each worker packs one and one packed waits to be written.
        chunks.resize(count + 2);
        for (Chunk& c : chunks)
            c.text = std::make_unique<char[]>(kChunkBytes + kMaxRoom);
        for (unsigned i = 0; i < count; ++i)
            workers.emplace_back([this] { work(); });
    }

    void stopWorkers() {
        {
            std::lock_guard lock(mutex);
            stopping = true;
        }
        queued.notify_all();
        for (std::thread& t : workers)
            t.join();
        workers.clear();
        chunks.clear();
        queue.clear();
        stopping = false;
    }

    // Waits until chunk is packed, then adds its blocks to the member: chunks are handed in
    // the order they were filled.
    bool writeOut(Chunk& chunk) {
        {
            std::unique_lock lock(mutex);
            packed.wait(lock, [&chunk] { return chunk.stage != Chunk::Stage::Queued; });
        }
        if (chunk.stage != Chunk::Stage::Packed)
            return true;
        chunk.stage = Chunk::Stage::Free;
        if (!error.empty())
            return false;
        if (chunk.failed)
            return fail("cannot compress the workbook");
        errno = 0;
        if (zipWriteInFileInZip(file, chunk.packed.data(),
                                static_cast<unsigned>(chunk.packed.size())) != ZIP_OK)
            return fail(systemReason("cannot write the workbook"));
        crc = crc32_combine(crc, chunk.crc, static_cast<z_off_t>(chunk.size));
        length += chunk.size;
        return true;
    }

    void submit(bool last) {
        Chunk& chunk = chunks[current];
        chunk.last = last;
        {
            std::lock_guard lock(mutex);
            chunk.stage = Chunk::Stage::Queued;
            queue.push_back(&chunk);
        }
        queued.notify_one();
    }

    // Queues the chunk being filled and makes the next one current, its window the tail of
    // the text just queued (the workers only read that text).
    bool next() {
        const Chunk& full = chunks[current];
        submit(false);
        current = (current + 1) % chunks.size();
        Chunk& chunk = chunks[current];
        const bool written = writeOut(chunk);
        const std::size_t tail = std::min(full.size, kWindowBytes);
        chunk.window.assign(full.text.get() + full.size - tail, tail);
        chunk.size = 0;
        return written;
    }
};

ZipArchive::ZipArchive(const std::string& path) : mState(std::make_unique<State>()) {
    errno = 0;
    mState->file = zipOpen64(path.c_str(), APPEND_STATUS_CREATE);
    if (!mState->file)
        mState->fail(systemReason("cannot create the workbook"));
}

ZipArchive::~ZipArchive() {
    mState->stopWorkers();
    if (mState->file)
        zipClose(mState->file, nullptr);
}

bool ZipArchive::ok() const noexcept {
    return mState->error.empty();
}

const std::string& ZipArchive::error() const noexcept {
    return mState->error;
}

bool ZipArchive::addMember(const char* name, std::string_view text) {
    State& s = *mState;
    if (!ok() || s.streaming)
        return s.fail({});
    const zip_fileinfo info = memberInfo();
    errno = 0;
    if (zipOpenNewFileInZip64(s.file, name, &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                              kLevel, 0) != ZIP_OK ||
        zipWriteInFileInZip(s.file, text.data(), static_cast<unsigned>(text.size())) != ZIP_OK ||
        zipCloseFileInZip(s.file) != ZIP_OK)
        return s.fail(systemReason("cannot write the workbook"));
    return true;
}

bool ZipArchive::beginMember(const char* name, bool large64) {
    State& s = *mState;
    if (!ok() || s.streaming)
        return s.fail({});
    const zip_fileinfo info = memberInfo();
    errno = 0;
    // raw: the blocks come deflated from the workers, with the CRC and length given at the end.
    if (zipOpenNewFileInZip2_64(s.file, name, &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                                kLevel, 1, large64 ? 1 : 0) != ZIP_OK)
        return s.fail(systemReason("cannot write the workbook"));
    s.streaming = true;
    s.crc = crc32(0, nullptr, 0);
    s.length = 0;
    s.startWorkers();
    s.current = 0;
    return true;
}

char* ZipArchive::room(std::size_t bytes) {
    State& s = *mState;
    Chunk& chunk = s.chunks[s.current];
    if (chunk.size + bytes > kChunkBytes + kMaxRoom || chunk.size >= kChunkBytes) {
        s.next();
        return s.chunks[s.current].text.get();
    }
    return chunk.text.get() + chunk.size;
}

void ZipArchive::commit(char* end) noexcept {
    Chunk& chunk = mState->chunks[mState->current];
    chunk.size = static_cast<std::size_t>(end - chunk.text.get());
}

bool ZipArchive::endMember() {
    State& s = *mState;
    if (!s.streaming)
        return s.fail({});
    s.submit(true);
    // The chunks in flight, oldest first: the one after the last queued is the oldest.
    for (std::size_t i = 1; i <= s.chunks.size(); ++i)
        s.writeOut(s.chunks[(s.current + i) % s.chunks.size()]);
    s.stopWorkers();
    s.streaming = false;
    if (!ok())
        return false;
    errno = 0;
    if (zipCloseFileInZipRaw64(s.file, s.length, s.crc) != ZIP_OK)
        return s.fail(systemReason("cannot write the workbook"));
    return true;
}

bool ZipArchive::close() {
    State& s = *mState;
    if (!s.file)
        return false;
    errno = 0;
    const int status = zipClose(s.file, nullptr);
    s.file = nullptr;
    if (status != ZIP_OK)
        return s.fail(systemReason("cannot write the workbook"));
    return ok();
}

} // namespace quibel
