// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/wmf_paint_device.h"

#include "chart/wmf_paint_engine.h"

#include <cmath>

namespace quibel {

WmfPaintDevice::WmfPaintDevice(QSize pixels, double dpi)
    : mPixels(pixels.expandedTo(QSize(1, 1))), mDpi(dpi > 0 ? dpi : 96.0),
      mEngine(std::make_unique<WmfPaintEngine>(mPixels, mDpi)) {}

WmfPaintDevice::~WmfPaintDevice() = default;

QPaintEngine* WmfPaintDevice::paintEngine() const {
    return mEngine.get();
}

std::vector<std::uint8_t> WmfPaintDevice::metafile() const {
    return mEngine->metafile();
}

int WmfPaintDevice::metric(PaintDeviceMetric metric) const {
    switch (metric) {
    case PdmWidth:
        return mPixels.width();
    case PdmHeight:
        return mPixels.height();
    case PdmWidthMM:
        return static_cast<int>(std::lround(mPixels.width() * 25.4 / mDpi));
    case PdmHeightMM:
        return static_cast<int>(std::lround(mPixels.height() * 25.4 / mDpi));
    case PdmNumColors:
        return 0xFFFFFF;
    case PdmDepth:
        return 24;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return static_cast<int>(std::lround(mDpi));
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return static_cast<int>(devicePixelRatioFScale());
    }
    return QPaintDevice::metric(metric);
}

} // namespace quibel
