#pragma once

#include <QByteArray>
#include <QString>

class QPrinter;

namespace quibel {

class TRChart;

// Pictures of a chart in files and on paper, all painted by TRChart::paintPicture at the
// chart's size. Files are written whole or not at all: each returns false, leaving any earlier
// file of that name untouched, when it could not be written.

/// The chart as a placeable Windows metafile (the bytes ExportMetafile writes).
QByteArray chartMetafile(const TRChart& chart);
[[nodiscard]] bool saveChartAsMetafile(const TRChart& chart, const QString& path);
[[nodiscard]] bool saveChartAsSvg(const TRChart& chart, const QString& path);
[[nodiscard]] bool saveChartAsPng(const TRChart& chart, const QString& path);
/// One page of the chart's size.
[[nodiscard]] bool saveChartAsPdf(const TRChart& chart, const QString& path);
/// The chart as large as fits the printable area of the page, keeping its shape.
void printChart(const TRChart& chart, QPrinter& printer);

} // namespace quibel
