// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPaintDevice>
#include <QSize>

#include <cstdint>
#include <memory>
#include <vector>

namespace quibel {

class WmfPaintEngine;

/// A paint device whose picture becomes a placeable Windows metafile: paint on it with a
/// QPainter in pixels of the given size, end the painter, then take metafile(). dpi is the
/// pixel density the picture's physical size is measured with (the screen's).
class WmfPaintDevice final : public QPaintDevice {
public:
    WmfPaintDevice(QSize pixels, double dpi);
    ~WmfPaintDevice() override;

    QPaintEngine* paintEngine() const override;
    /// The file's bytes once the painter has ended; empty before.
    std::vector<std::uint8_t> metafile() const;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSize mPixels;
    double mDpi;
    std::unique_ptr<WmfPaintEngine> mEngine;
};

} // namespace quibel
