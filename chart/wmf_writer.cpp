// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/wmf_writer.h"

#include <algorithm>
#include <array>

namespace quibel {

namespace {

// Record function numbers of the 16-bit metafile format.
enum : std::uint16_t {
    kSaveDc = 0x001E,
    kSetBkMode = 0x0102,
    kSetMapMode = 0x0103,
    kSetPolyFillMode = 0x0106,
    kRestoreDc = 0x0127,
    kSelectObject = 0x012D,
    kSetTextAlign = 0x012E,
    kDeleteObject = 0x01F0,
    kSetTextColor = 0x0209,
    kSetWindowOrg = 0x020B,
    kSetWindowExt = 0x020C,
    kCreatePenIndirect = 0x02FA,
    kCreateFontIndirect = 0x02FB,
    kCreateBrushIndirect = 0x02FC,
    kPolygon = 0x0324,
    kPolyline = 0x0325,
    kIntersectClipRect = 0x0416,
    kEllipse = 0x0418,
    kRectangle = 0x041B,
    kExtTextOut = 0x0A32,
};
constexpr std::uint16_t kMapModeAnisotropic = 8;
constexpr std::size_t kMaxPoints = 32767;

void put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, static_cast<std::uint16_t>(v & 0xFFFF));
    put16(out, static_cast<std::uint16_t>(v >> 16));
}
void putPoints(std::vector<std::uint8_t>& out, std::span<const WmfWriter::Point> points) {
    put16(out, static_cast<std::uint16_t>(points.size()));
    for (const WmfWriter::Point& p : points) {
        put16(out, static_cast<std::uint16_t>(p.x));
        put16(out, static_cast<std::uint16_t>(p.y));
    }
}

} // namespace

WmfWriter::WmfWriter(std::int16_t width, std::int16_t height, std::uint16_t unitsPerInch)
    : mWidth(width), mHeight(height), mUnitsPerInch(unitsPerInch) {
    const std::int16_t mapMode[] = {kMapModeAnisotropic};
    record(kSetMapMode, mapMode);
    // Parameters of the window records come y first.
    const std::int16_t origin[] = {0, 0};
    record(kSetWindowOrg, origin);
    const std::int16_t extent[] = {height, width};
    record(kSetWindowExt, extent);
    setBkMode(true);
}

void WmfWriter::record(std::uint16_t function, std::span<const std::int16_t> params) {
    std::vector<std::uint8_t> bytes;
    for (std::int16_t v : params)
        put16(bytes, static_cast<std::uint16_t>(v));
    record(function, bytes);
}

void WmfWriter::record(std::uint16_t function, const std::vector<std::uint8_t>& params) {
    const std::uint32_t words = 3 + static_cast<std::uint32_t>((params.size() + 1) / 2);
    put32(mRecords, words);
    put16(mRecords, function);
    mRecords.insert(mRecords.end(), params.begin(), params.end());
    if (params.size() % 2 != 0)
        mRecords.push_back(0);
    mMaxRecordWords = std::max(mMaxRecordWords, words);
}

int WmfWriter::takeSlot() {
    const auto free = std::find(mSlots.begin(), mSlots.end(), false);
    if (free != mSlots.end()) {
        *free = true;
        return static_cast<int>(free - mSlots.begin());
    }
    mSlots.push_back(true);
    return static_cast<int>(mSlots.size() - 1);
}

int WmfWriter::objectsInUse() const noexcept {
    return static_cast<int>(std::count(mSlots.begin(), mSlots.end(), true));
}

int WmfWriter::createPen(PenStyle style, std::int16_t width, std::uint32_t color) {
    std::vector<std::uint8_t> p;
    put16(p, static_cast<std::uint16_t>(style));
    put16(p, static_cast<std::uint16_t>(width)); // the pen's width is the x of a point
    put16(p, 0);
    put32(p, color);
    record(kCreatePenIndirect, p);
    return takeSlot();
}

int WmfWriter::createBrush(BrushStyle style, std::uint32_t color) {
    std::vector<std::uint8_t> p;
    put16(p, static_cast<std::uint16_t>(style));
    put32(p, color);
    put16(p, 0); // hatch, unused by solid and null brushes
    record(kCreateBrushIndirect, p);
    return takeSlot();
}

int WmfWriter::createFont(const Font& font) {
    std::vector<std::uint8_t> p;
    put16(p, static_cast<std::uint16_t>(font.height));
    put16(p, 0); // width: from the aspect of the font
    put16(p, 0); // escapement
    put16(p, 0); // orientation
    put16(p, static_cast<std::uint16_t>(font.weight));
    p.push_back(font.italic ? 1 : 0);
    p.push_back(font.underline ? 1 : 0);
    p.push_back(font.strikeOut ? 1 : 0);
    p.push_back(font.charSet);
    p.push_back(0);    // output precision: default
    p.push_back(0);    // clip precision: default
    p.push_back(0);    // quality: default
    p.push_back(0x22); // variable pitch, Swiss family: the substitute a reader picks is sans serif
    const std::size_t n = std::min<std::size_t>(font.faceName.size(), 31);
    p.insert(p.end(), font.faceName.begin(), font.faceName.begin() + static_cast<long>(n));
    p.push_back(0);
    record(kCreateFontIndirect, p);
    return takeSlot();
}

void WmfWriter::selectObject(int slot) {
    const std::int16_t p[] = {static_cast<std::int16_t>(slot)};
    record(kSelectObject, p);
}

void WmfWriter::deleteObject(int slot) {
    const std::int16_t p[] = {static_cast<std::int16_t>(slot)};
    record(kDeleteObject, p);
    if (slot >= 0 && static_cast<std::size_t>(slot) < mSlots.size())
        mSlots[static_cast<std::size_t>(slot)] = false;
}

void WmfWriter::setTextColor(std::uint32_t color) {
    std::vector<std::uint8_t> p;
    put32(p, color);
    record(kSetTextColor, p);
}

void WmfWriter::setBkMode(bool transparent) {
    const std::int16_t p[] = {static_cast<std::int16_t>(transparent ? 1 : 2)};
    record(kSetBkMode, p);
}

void WmfWriter::setTextAlign(std::uint16_t flags) {
    const std::int16_t p[] = {static_cast<std::int16_t>(flags)};
    record(kSetTextAlign, p);
}

void WmfWriter::setPolyFillMode(bool winding) {
    const std::int16_t p[] = {static_cast<std::int16_t>(winding ? 2 : 1)};
    record(kSetPolyFillMode, p);
}

void WmfWriter::polyline(std::span<const Point> points) {
    if (points.size() < 2)
        return;
    for (std::size_t start = 0; start + 1 < points.size(); start += kMaxPoints - 1) {
        std::vector<std::uint8_t> p;
        putPoints(p, points.subspan(start, std::min(kMaxPoints, points.size() - start)));
        record(kPolyline, p);
    }
}

void WmfWriter::polygon(std::span<const Point> points) {
    if (points.size() < 2)
        return;
    std::vector<std::uint8_t> p;
    putPoints(p, points.first(std::min(kMaxPoints, points.size())));
    record(kPolygon, p);
}

void WmfWriter::rectangle(std::int16_t left, std::int16_t top, std::int16_t right,
                          std::int16_t bottom) {
    const std::int16_t p[] = {bottom, right, top, left};
    record(kRectangle, p);
}

void WmfWriter::ellipse(std::int16_t left, std::int16_t top, std::int16_t right,
                        std::int16_t bottom) {
    const std::int16_t p[] = {bottom, right, top, left};
    record(kEllipse, p);
}

void WmfWriter::extTextOut(std::int16_t x, std::int16_t y, std::string_view bytes,
                           std::span<const std::int16_t> dx) {
    if (bytes.empty())
        return;
    bytes = bytes.substr(0, 32767);
    std::vector<std::uint8_t> p;
    put16(p, static_cast<std::uint16_t>(y));
    put16(p, static_cast<std::uint16_t>(x));
    put16(p, static_cast<std::uint16_t>(bytes.size()));
    put16(p, 0); // no options, so no rectangle follows
    p.insert(p.end(), bytes.begin(), bytes.end());
    if (bytes.size() % 2 != 0)
        p.push_back(0);
    if (dx.size() == bytes.size())
        for (std::int16_t d : dx)
            put16(p, static_cast<std::uint16_t>(d));
    record(kExtTextOut, p);
}

void WmfWriter::saveDC() {
    record(kSaveDc, std::span<const std::int16_t>{});
}

void WmfWriter::restoreDC() {
    const std::int16_t p[] = {-1};
    record(kRestoreDc, p);
}

void WmfWriter::intersectClipRect(std::int16_t left, std::int16_t top, std::int16_t right,
                                  std::int16_t bottom) {
    const std::int16_t p[] = {bottom, right, top, left};
    record(kIntersectClipRect, p);
}

std::vector<std::uint8_t> WmfWriter::finish() const {
    std::vector<std::uint8_t> out;
    // Placement header: key, handle, bounding box, units per inch, reserved, checksum (the
    // exclusive or of the ten words before it).
    put32(out, 0x9AC6CDD7u);
    put16(out, 0);
    put16(out, 0);
    put16(out, 0);
    put16(out, static_cast<std::uint16_t>(mWidth));
    put16(out, static_cast<std::uint16_t>(mHeight));
    put16(out, mUnitsPerInch);
    put32(out, 0);
    std::uint16_t checksum = 0;
    for (std::size_t i = 0; i < out.size(); i += 2)
        checksum ^= static_cast<std::uint16_t>(out[i] | (out[i + 1] << 8));
    put16(out, checksum);

    const std::uint32_t totalWords = 9 + static_cast<std::uint32_t>(mRecords.size() / 2) + 3;
    put16(out, 1);      // in memory
    put16(out, 9);      // header size in words
    put16(out, 0x0300); // version
    put32(out, totalWords);
    put16(out, static_cast<std::uint16_t>(std::max<std::size_t>(mSlots.size(), 1)));
    put32(out, mMaxRecordWords);
    put16(out, 0);
    out.insert(out.end(), mRecords.begin(), mRecords.end());
    put32(out, 3); // end of file
    put16(out, 0);
    return out;
}

} // namespace quibel
