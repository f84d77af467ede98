// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

class QPrinter;

namespace quibel {

class ChartWidget;

// Pictures of a chart in files and on paper, all painted by ChartWidget::paintPicture at the
// chart's size. Files are written whole or not at all: each returns false, leaving any earlier
// file of that name untouched, when it could not be written.

/// The chart as a placeable Windows metafile (the bytes ExportMetafile writes).
QByteArray chartMetafile(const ChartWidget& chart);
[[nodiscard]] bool saveChartAsMetafile(const ChartWidget& chart, const QString& path);
[[nodiscard]] bool saveChartAsSvg(const ChartWidget& chart, const QString& path);
[[nodiscard]] bool saveChartAsPng(const ChartWidget& chart, const QString& path);
/// One page of the chart's size.
[[nodiscard]] bool saveChartAsPdf(const ChartWidget& chart, const QString& path);
/// The chart as large as fits the printable area of the page, keeping its shape.
void printChart(const ChartWidget& chart, QPrinter& printer);

} // namespace quibel
