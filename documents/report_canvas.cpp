// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/report_canvas.h"

#include "chart/chart_widget.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace quibel {

namespace {

constexpr double kMargin = 56.0;        // page margin, points (about 20 mm)
constexpr double kHeaderPoints = 8.0;   // running header and page count
constexpr double kHeaderGap = 18.0;     // from the header's line to the text
constexpr double kCellPadding = 3.0;    // left of a cell's text and above and below it
constexpr double kHeadingPoints = 13.0; // a section's title
constexpr double kSubheadingPoints = 10.5;

QString qt(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

struct ReportCanvas::State {
    explicit State(QPagedPaintDevice& d) : device(d) {}
    QPagedPaintDevice& device;
    QPainter* painter = nullptr; // none while the pages are counted
    double pointsPerUnit = 1.0;  // points in one device unit
    double dpi = 72.0;
    QSizeF page;
    double y = 0.0;
    int pageNumber = 1;
    int pageCount = 1;
    std::string header;
    std::function<std::string(int, int)> pageText;

    QFont font(double points, bool bold) const {
        QFont f(QStringLiteral("DejaVu Sans"));
        // Qt sizes a font by the device's resolution, not by the painter's scaling to points.
        f.setPointSizeF(points * 72.0 / dpi);
        f.setBold(bold);
        // Without ligatures the text copied from the PDF (and pdftotext's) reads "fi", not "ﬁ".
        f.setStyleStrategy(QFont::PreferNoShaping);
        return f;
    }
    double top() const { return kMargin + kHeaderGap; }
    double bottom() const { return page.height() - kMargin; }

    void drawRunningHeader() {
        if (painter == nullptr)
            return;
        const QFont f = font(kHeaderPoints, false);
        painter->setFont(f);
        painter->setPen(Qt::black);
        const QRectF line(kMargin, kMargin - 12.0, page.width() - 2 * kMargin, 12.0);
        painter->drawText(line, Qt::AlignLeft | Qt::AlignBottom, qt(header));
        painter->drawText(line, Qt::AlignRight | Qt::AlignBottom,
                          qt(pageText(pageNumber, pageCount)));
        painter->setPen(QPen(Qt::black, 0.5));
        painter->drawLine(QPointF(kMargin, kMargin + 2.0),
                          QPointF(page.width() - kMargin, kMargin + 2.0));
    }

    void newPage() {
        ++pageNumber;
        if (painter != nullptr)
            device.newPage();
        y = top();
        drawRunningHeader();
    }
};

double ReportCanvas::textWidth() const {
    return mState.page.width() - 2 * kMargin;
}

void ReportCanvas::ensure(double height) {
    if (mState.y + height > mState.bottom() && mState.y > mState.top())
        mState.newPage();
}

double ReportCanvas::textHeight(const std::string& text, double points, bool bold,
                                double width) const {
    const QFontMetricsF metrics(mState.font(points, bold), &mState.device);
    return metrics.boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap, qt(text)).height();
}

void ReportCanvas::drawText(const std::string& text, double points, bool bold, double x,
                            double width) {
    if (mState.painter == nullptr)
        return;
    mState.painter->setFont(mState.font(points, bold));
    mState.painter->setPen(Qt::black);
    mState.painter->drawText(QRectF(x, mState.y, width, 1e6), Qt::TextWordWrap | Qt::AlignLeft,
                             qt(text));
}

void ReportCanvas::heading(const std::string& text) {
    const double h = textHeight(text, kHeadingPoints, true, textWidth());
    // A title never stays alone at the foot of a page.
    ensure(h + 80.0);
    space(8.0);
    drawText(text, kHeadingPoints, true, kMargin, textWidth());
    mState.y += h + 6.0;
}

void ReportCanvas::subheading(const std::string& text) {
    const double h = textHeight(text, kSubheadingPoints, true, textWidth());
    ensure(h + 60.0);
    space(4.0);
    drawText(text, kSubheadingPoints, true, kMargin, textWidth());
    mState.y += h + 4.0;
}

void ReportCanvas::paragraph(const std::string& text) {
    const double h = textHeight(text, kBodyPoints, false, textWidth());
    ensure(h);
    drawText(text, kBodyPoints, false, kMargin, textWidth());
    mState.y += h + 4.0;
}

void ReportCanvas::table(const std::vector<ReportRow>& rows, const std::vector<double>& shares,
                         bool header) {
    const double width = textWidth();
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const bool bold = header && r == 0;
        double height = 0.0;
        for (std::size_t c = 0; c < rows[r].size() && c < shares.size(); ++c)
            height = std::max(height, textHeight(rows[r][c], kBodyPoints, bold,
                                                 shares[c] * width - 2 * kCellPadding));
        height += 2 * kCellPadding;
        ensure(height);
        double x = kMargin;
        mState.y += kCellPadding;
        for (std::size_t c = 0; c < rows[r].size() && c < shares.size(); ++c) {
            drawText(rows[r][c], kBodyPoints, bold, x + kCellPadding,
                     shares[c] * width - 2 * kCellPadding);
            x += shares[c] * width;
        }
        mState.y += height - kCellPadding;
        if (mState.painter != nullptr && (bold || r + 1 == rows.size())) {
            mState.painter->setPen(QPen(Qt::black, bold ? 0.8 : 0.4));
            mState.painter->drawLine(QPointF(kMargin, mState.y),
                                     QPointF(kMargin + width, mState.y));
        }
    }
    space(6.0);
}

void ReportCanvas::chart(const ChartWidget& chart, const std::string& title) {
    const double scale = textWidth() / std::max(1, chart.width());
    const double height = chart.height() * scale;
    if (!title.empty()) {
        ensure(textHeight(title, kSubheadingPoints, true, textWidth()) + 8.0 + height);
        subheading(title);
    }
    ensure(height);
    if (mState.painter != nullptr) {
        mState.painter->save();
        mState.painter->translate(kMargin, mState.y);
        mState.painter->scale(scale, scale);
        mState.painter->setClipRect(QRect(QPoint(0, 0), chart.size()));
        chart.paintPicture(*mState.painter);
        mState.painter->restore();
    }
    mState.y += height + 6.0;
}

void ReportCanvas::space(double points) {
    mState.y += points;
}

bool paintReport(QPagedPaintDevice& device, const std::string& header,
                 const std::function<std::string(int, int)>& pageText,
                 const std::function<void(ReportCanvas&)>& compose) {
    ReportCanvas::State state(device);
    state.dpi = device.logicalDpiY();
    state.pointsPerUnit = 72.0 / state.dpi;
    const QRectF full = device.pageLayout().fullRectPoints();
    state.page = full.size();
    state.header = header;
    state.pageText = pageText;
    state.y = state.top();
    {
        ReportCanvas counting(state);
        compose(counting);
    }
    state.pageCount = state.pageNumber;
    state.pageNumber = 1;
    state.y = state.top();

    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    // The page's own margins are left to the layout: the painter starts at the paper's corner.
    const QRectF paint = device.pageLayout().paintRectPoints();
    painter.scale(1.0 / state.pointsPerUnit, 1.0 / state.pointsPerUnit);
    painter.translate(-paint.left(), -paint.top());
    state.painter = &painter;
    state.drawRunningHeader();
    ReportCanvas painting(state);
    compose(painting);
    return painter.end();
}

} // namespace quibel
