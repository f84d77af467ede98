// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quibel {

/// Builds a placeable Windows metafile (the 16-bit format with the 22-byte placement header)
/// record by record.
///
/// Coordinates are signed 16-bit logical units and unitsPerInch of them make an inch, which
/// fixes the picture's physical size. Pens, brushes and fonts take the lowest free slot of the
/// object table, as the format requires; the header's object count is the most slots ever in
/// use at once. Colours are COLORREF values, 0x00BBGGRR. Strings are single-byte text in the
/// code page of the selected font.
class WmfWriter final {
public:
    enum class PenStyle : std::uint16_t {
        Solid = 0,
        Dash = 1,
        Dot = 2,
        DashDot = 3,
        DashDotDot = 4,
        Null = 5
    };
    enum class BrushStyle : std::uint16_t { Solid = 0, Null = 1 };

    struct Point final {
        std::int16_t x = 0;
        std::int16_t y = 0;
    };

    struct Font final {
        std::int16_t height = 0; ///< logical units; negative: height of the characters
        std::int16_t weight = 400;
        bool italic = false;
        bool underline = false;
        bool strikeOut = false;
        std::uint8_t charSet = 0; ///< 0: ANSI (Windows-1252)
        std::string faceName;     ///< at most 31 bytes are kept
    };

    /// A picture of width x height logical units from (0, 0); it begins with the mapping
    /// records (anisotropic mode, window origin and extent) and a transparent background.
    WmfWriter(std::int16_t width, std::int16_t height, std::uint16_t unitsPerInch);

    static constexpr std::uint32_t rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
        return r | (static_cast<std::uint32_t>(g) << 8) | (static_cast<std::uint32_t>(b) << 16);
    }

    /// Each returns the object table slot of the new object.
    int createPen(PenStyle style, std::int16_t width, std::uint32_t color);
    int createBrush(BrushStyle style, std::uint32_t color);
    int createFont(const Font& font);
    void selectObject(int slot);
    void deleteObject(int slot);

    void setTextColor(std::uint32_t color);
    void setBkMode(bool transparent);
    /// TA_* flags; the painter's texts use kTextAlignBaselineLeft.
    void setTextAlign(std::uint16_t flags);
    static constexpr std::uint16_t kTextAlignBaselineLeft = 24;
    void setPolyFillMode(bool winding);

    /// Split into pieces of at most 32767 points that share their end points.
    void polyline(std::span<const Point> points);
    /// At most 32767 points are kept.
    void polygon(std::span<const Point> points);
    void rectangle(std::int16_t left, std::int16_t top, std::int16_t right, std::int16_t bottom);
    void ellipse(std::int16_t left, std::int16_t top, std::int16_t right, std::int16_t bottom);
    /// Text with its left baseline at (x, y) (with kTextAlignBaselineLeft) and, when dx has one
    /// entry per byte, the distance from each character to the next.
    void extTextOut(std::int16_t x, std::int16_t y, std::string_view bytes,
                    std::span<const std::int16_t> dx = {});

    void saveDC();
    void restoreDC();
    void intersectClipRect(std::int16_t left, std::int16_t top, std::int16_t right,
                           std::int16_t bottom);

    /// The complete file: placement header, metafile header, the records and the end record.
    std::vector<std::uint8_t> finish() const;

    int objectsInUse() const noexcept;

private:
    void record(std::uint16_t function, std::span<const std::int16_t> params);
    void record(std::uint16_t function, const std::vector<std::uint8_t>& params);
    int takeSlot();

    std::int16_t mWidth;
    std::int16_t mHeight;
    std::uint16_t mUnitsPerInch;
    std::vector<std::uint8_t> mRecords;
    std::uint32_t mMaxRecordWords = 3; // the end record
    std::vector<bool> mSlots;          // true: in use
};

} // namespace quibel
