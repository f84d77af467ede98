// SPDX-License-Identifier: GPL-3.0-or-later
#include "wmf_test_reader.h"

#include <algorithm>
#include <map>

namespace {

std::uint16_t u16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}
std::uint32_t u32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return u16(b, at) | (static_cast<std::uint32_t>(u16(b, at + 2)) << 16);
}

} // namespace

std::int16_t WmfRecord::word(std::size_t i) const {
    if (2 * i + 1 >= params.size())
        return 0;
    return static_cast<std::int16_t>(params[2 * i] | (params[2 * i + 1] << 8));
}

std::size_t WmfContents::count(std::uint16_t function) const {
    return static_cast<std::size_t>(
        std::count_if(records.begin(), records.end(),
                      [&](const WmfRecord& r) { return r.function == function; }));
}

std::vector<std::string> WmfContents::texts() const {
    std::vector<std::string> out;
    for (const WmfRecord& r : records) {
        if (r.function != kWmfExtTextOut)
            continue;
        const auto n = static_cast<std::size_t>(r.word(2));
        out.emplace_back(r.params.begin() + 8, r.params.begin() + 8 + static_cast<long>(n));
    }
    return out;
}

WmfContents readWmf(const std::string& bytes) {
    return readWmf(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

WmfContents readWmf(const std::vector<std::uint8_t>& b) {
    WmfContents c;
    if (b.size() < 40 || b.size() % 2 != 0) {
        c.faults.push_back("too short or odd length");
        return c;
    }
    c.key = u32(b, 0);
    c.left = static_cast<std::int16_t>(u16(b, 6));
    c.top = static_cast<std::int16_t>(u16(b, 8));
    c.right = static_cast<std::int16_t>(u16(b, 10));
    c.bottom = static_cast<std::int16_t>(u16(b, 12));
    c.unitsPerInch = u16(b, 14);
    c.checksum = u16(b, 20);
    for (std::size_t i = 0; i < 20; i += 2)
        c.expectedChecksum ^= u16(b, i);
    if (u16(b, 22) != 1 || u16(b, 24) != 9 || u16(b, 26) != 0x0300)
        c.faults.push_back("bad metafile header");
    c.sizeWords = u32(b, 28);
    c.objects = u16(b, 32);
    c.maxRecordWords = u32(b, 34);
    c.actualWords = static_cast<std::uint32_t>((b.size() - 22) / 2);

    // The object table as a player keeps it: a new object takes the lowest free slot.
    std::vector<char> slots; // 0 free, else the kind: 'p', 'b', 'f'
    std::map<char, int> selected, saved;
    bool hasSaved = false;
    std::size_t at = 40;
    bool ended = false;
    while (at + 6 <= b.size()) {
        const std::uint32_t words = u32(b, at);
        if (words < 3 || at + 2 * std::size_t(words) > b.size()) {
            c.faults.push_back("record runs past the end");
            break;
        }
        WmfRecord r;
        r.function = u16(b, at + 4);
        r.params.assign(b.begin() + static_cast<long>(at + 6),
                        b.begin() + static_cast<long>(at + 2 * std::size_t(words)));
        c.largestRecordWords = std::max(c.largestRecordWords, words);
        at += 2 * std::size_t(words);
        char kind = 0;
        if (r.function == kWmfCreatePen)
            kind = 'p';
        else if (r.function == kWmfCreateBrush)
            kind = 'b';
        else if (r.function == kWmfCreateFont)
            kind = 'f';
        if (kind) {
            auto freeSlot = std::find(slots.begin(), slots.end(), 0);
            if (freeSlot == slots.end())
                freeSlot = slots.insert(slots.end(), 0);
            *freeSlot = kind;
            if (slots.size() > c.objects)
                c.faults.push_back("more objects than the header declares");
        } else if (r.function == 0x012D || r.function == 0x01F0) {
            const int slot = r.word(0);
            if (slot < 0 || std::size_t(slot) >= slots.size() || slots[std::size_t(slot)] == 0) {
                c.faults.push_back("object " + std::to_string(slot) + " does not exist");
            } else if (r.function == 0x012D) {
                selected[slots[std::size_t(slot)]] = slot;
            } else {
                const char k = slots[std::size_t(slot)];
                if (selected.count(k) && selected[k] == slot)
                    c.faults.push_back("deleted selected object " + std::to_string(slot));
                if (hasSaved && saved.count(k) && saved[k] == slot)
                    c.faults.push_back("deleted object of the saved state " + std::to_string(slot));
                slots[std::size_t(slot)] = 0;
            }
        } else if (r.function == kWmfSaveDc) {
            saved = selected;
            hasSaved = true;
        } else if (r.function == kWmfRestoreDc) {
            if (!hasSaved)
                c.faults.push_back("restore without save");
            selected = saved;
            hasSaved = false;
        }
        c.records.push_back(std::move(r));
        if (c.records.back().function == 0) {
            ended = true;
            break;
        }
    }
    if (!ended)
        c.faults.push_back("no end record");
    if (at != b.size())
        c.faults.push_back("bytes after the end record");
    return c;
}
