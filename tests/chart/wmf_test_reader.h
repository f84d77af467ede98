// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A small reader of placeable Windows metafiles for the tests: it walks the records and keeps
// the object table as a player does, so that every fault a player would meet is listed.

struct WmfRecord {
    std::uint16_t function = 0;
    std::vector<std::uint8_t> params;
    std::int16_t word(std::size_t i) const; ///< parameter word i
};

struct WmfContents {
    std::uint32_t key = 0;
    std::int16_t left = 0, top = 0, right = 0, bottom = 0;
    std::uint16_t unitsPerInch = 0;
    std::uint16_t checksum = 0;
    std::uint16_t expectedChecksum = 0; ///< exclusive or of the first ten words
    std::uint32_t sizeWords = 0;        ///< as the header says
    std::uint32_t actualWords = 0;      ///< counted from the file
    std::uint16_t objects = 0;
    std::uint32_t maxRecordWords = 0;
    std::uint32_t largestRecordWords = 0;
    std::vector<WmfRecord> records; ///< the end record included
    std::vector<std::string> faults;

    std::size_t count(std::uint16_t function) const;
    /// The texts of the text records, as the bytes they hold.
    std::vector<std::string> texts() const;
};

WmfContents readWmf(const std::vector<std::uint8_t>& bytes);
WmfContents readWmf(const std::string& bytes);

// Record functions the tests look for.
inline constexpr std::uint16_t kWmfPolyline = 0x0325;
inline constexpr std::uint16_t kWmfPolygon = 0x0324;
inline constexpr std::uint16_t kWmfEllipse = 0x0418;
inline constexpr std::uint16_t kWmfRectangle = 0x041B;
inline constexpr std::uint16_t kWmfExtTextOut = 0x0A32;
inline constexpr std::uint16_t kWmfCreatePen = 0x02FA;
inline constexpr std::uint16_t kWmfCreateBrush = 0x02FC;
inline constexpr std::uint16_t kWmfCreateFont = 0x02FB;
inline constexpr std::uint16_t kWmfSaveDc = 0x001E;
inline constexpr std::uint16_t kWmfRestoreDc = 0x0127;
inline constexpr std::uint16_t kWmfIntersectClip = 0x0416;
