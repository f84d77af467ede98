// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QPagedPaintDevice;

namespace quibel {

class ChartWidget;

/// One row of a report table: its cells, UTF-8.
using ReportRow = std::vector<std::string>;

/// The pages of a report as they are laid out: a flow of headings, paragraphs, tables and
/// pictures from top to bottom, a new page when the next block does not fit, and on every page
/// the running header and "page n of N". Units are PostScript points.
///
/// A report is laid out twice by paintReport: once to count its pages, then to paint them, so
/// the composing function must lay out the same blocks both times.
class ReportCanvas final {
public:
    /// Font sizes of the blocks, points.
    static constexpr double kBodyPoints = 9.0;

    void heading(const std::string& text);
    void subheading(const std::string& text);
    void paragraph(const std::string& text);
    /// Columns of the given shares of the text width (summing to 1); the first row, when
    /// header is set, in bold with a rule under it. A row that does not fit on the page goes on
    /// the next one.
    void table(const std::vector<ReportRow>& rows, const std::vector<double>& shares, bool header);
    /// The chart as its paint routine draws it, scaled to the text width and keeping its shape;
    /// with a title, the title above it on the same page.
    void chart(const ChartWidget& chart, const std::string& title = {});
    void space(double points);

    /// Width of the text column, points.
    double textWidth() const;

    struct State;
    explicit ReportCanvas(State& state) : mState(state) {}

private:
    void ensure(double height);
    double textHeight(const std::string& text, double points, bool bold, double width) const;
    void drawText(const std::string& text, double points, bool bold, double x, double width);

    State& mState;
};

/// Lays out compose on device's pages with the running header on each (left: header, right:
/// the page count in language's words through pageText, which gets n and N). False when the
/// device cannot be painted on.
bool paintReport(QPagedPaintDevice& device, const std::string& header,
                 const std::function<std::string(int, int)>& pageText,
                 const std::function<void(ReportCanvas&)>& compose);

} // namespace quibel
