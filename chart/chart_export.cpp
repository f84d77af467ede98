// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/chart_export.h"

#include "chart/chart_widget.h"
#include "chart/wmf_paint_device.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QSvgGenerator>

namespace quibel {

namespace {

bool writeWhole(const QString& path, const QByteArray& bytes) {
    if (bytes.isEmpty())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace

QByteArray chartMetafile(const ChartWidget& chart) {
    WmfPaintDevice device(chart.size(), chart.screenDpi());
    {
        QPainter painter(&device);
        chart.paintPicture(painter);
    }
    const std::vector<std::uint8_t> bytes = device.metafile();
    return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<qsizetype>(bytes.size()));
}

bool saveChartAsMetafile(const ChartWidget& chart, const QString& path) {
    return writeWhole(path, chartMetafile(chart));
}

bool saveChartAsSvg(const ChartWidget& chart, const QString& path) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(chart.size());
    svg.setViewBox(QRect(QPoint(0, 0), chart.size()));
    svg.setResolution(static_cast<int>(chart.screenDpi()));
    {
        QPainter painter(&svg);
        chart.paintPicture(painter);
    }
    return writeWhole(path, buffer.data());
}

bool saveChartAsPng(const ChartWidget& chart, const QString& path) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!chart.toImage().save(&buffer, "PNG"))
        return false;
    return writeWhole(path, buffer.data());
}

bool saveChartAsPdf(const ChartWidget& chart, const QString& path) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        const double dpi = chart.screenDpi();
        pdf.setPageSize(QPageSize(QSizeF(chart.width() * 25.4 / dpi, chart.height() * 25.4 / dpi),
                                  QPageSize::Millimeter));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&pdf);
        painter.setWindow(QRect(QPoint(0, 0), chart.size()));
        painter.setViewport(QRect(0, 0, pdf.width(), pdf.height()));
        chart.paintPicture(painter);
    }
    return writeWhole(path, buffer.data());
}

void printChart(const ChartWidget& chart, QPrinter& printer) {
    QPainter painter(&printer);
    if (!painter.isActive())
        return;
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const double s = std::min(double(page.width()) / std::max(1, chart.width()),
                              double(page.height()) / std::max(1, chart.height()));
    painter.translate((page.width() - chart.width() * s) / 2,
                      (page.height() - chart.height() * s) / 2);
    painter.scale(s, s);
    chart.paintPicture(painter);
}

} // namespace quibel
