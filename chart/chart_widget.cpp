// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/chart_widget.h"

#include "chart/chart_export.h"
#include "chart/chart_renderer.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>

namespace quibel {

namespace {
// Zoom rate of MouseAction::ZoomDrag: the ranges halve for every 100 pixels the mouse moves up or
// right.
constexpr double kZoomDragPixelsPerHalving = 100.0;
} // namespace

ChartWidget::ChartWidget(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    // A click gives the keys + and - to the chart; Tab passes it by.
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(50, 50);
    syncSize();
}

ChartWidget::~ChartWidget() = default;

void ChartWidget::syncSize() const {
    if (mScale.width() != width() || mScale.height() != height())
        mScale.setSize(width(), height());
}

const ChartScale& ChartWidget::scale() const {
    syncSize();
    return mScale;
}

void ChartWidget::changed() {
    if (mAutoRedraw)
        update();
}

double ChartWidget::RangeLoX() const {
    return scale().RangeLoX();
}
double ChartWidget::RangeHiX() const {
    return scale().RangeHiX();
}
double ChartWidget::RangeLoY() const {
    return scale().RangeLoY();
}
double ChartWidget::RangeHiY() const {
    return scale().RangeHiY();
}

void ChartWidget::setRangeLoX(double v) {
    syncSize();
    mScale.setRangeLoX(v);
    changed();
}
void ChartWidget::setRangeHiX(double v) {
    syncSize();
    mScale.setRangeHiX(v);
    changed();
}
void ChartWidget::setRangeLoY(double v) {
    syncSize();
    mScale.setRangeLoY(v);
    changed();
}
void ChartWidget::setRangeHiY(double v) {
    syncSize();
    mScale.setRangeHiY(v);
    changed();
}
void ChartWidget::setRangeX(double lo, double hi) {
    syncSize();
    mScale.setRangeX(lo, hi);
    changed();
}
void ChartWidget::setRangeY(double lo, double hi) {
    syncSize();
    mScale.setRangeY(lo, hi);
    changed();
}
void ChartWidget::setMinRangeX(double v) {
    mScale.setMinRangeX(v);
    changed();
}
void ChartWidget::setMinRangeY(double v) {
    mScale.setMinRangeY(v);
    changed();
}
void ChartWidget::setIsometric(bool on) {
    syncSize();
    mScale.setIsometric(on);
    changed();
}

void ChartWidget::setIdAbscissa(const QString& s) {
    mAppearance.IdAbscissa = s;
    changed();
}
void ChartWidget::setIdOrdinate(const QString& s) {
    mAppearance.IdOrdinate = s;
    changed();
}
void ChartWidget::setCaption(const QString& s) {
    mAppearance.Caption = s;
    changed();
}

void ChartWidget::setRims(int l, int r, int t, int b) {
    syncSize();
    mScale.setRims(l, r, t, b);
    changed();
}
void ChartWidget::setLRim(int v) {
    setRims(v, RRim(), TRim(), BRim());
}
void ChartWidget::setRRim(int v) {
    setRims(LRim(), v, TRim(), BRim());
}
void ChartWidget::setTRim(int v) {
    setRims(LRim(), RRim(), v, BRim());
}
void ChartWidget::setBRim(int v) {
    setRims(LRim(), RRim(), TRim(), v);
}

void ChartWidget::setXAxisPos(XAxisPosition p) {
    mAppearance.XAxisPos = p;
    changed();
}
void ChartWidget::setYAxisPos(YAxisPosition p) {
    mAppearance.YAxisPos = p;
    changed();
}
void ChartWidget::setGridStyle(GridStyle s) {
    mAppearance.Grid = s;
    changed();
}
void ChartWidget::setGridColor(const QColor& c) {
    mAppearance.GridColor = c;
    changed();
}
void ChartWidget::setBackgroundColor(const QColor& c) {
    mAppearance.BackgroundColor = c;
    changed();
}
void ChartWidget::setDecPlaceX(int n) {
    mAppearance.DecPlaceX = n;
    changed();
}
void ChartWidget::setDecPlaceY(int n) {
    mAppearance.DecPlaceY = n;
    changed();
}
void ChartWidget::setMinTickX(int n) {
    mAppearance.MinTickX = n;
    changed();
}
void ChartWidget::setMinTickY(int n) {
    mAppearance.MinTickY = n;
    changed();
}
void ChartWidget::setShortTicksX(bool on) {
    mAppearance.ShortTicksX = on;
    changed();
}
void ChartWidget::setShortTicksY(bool on) {
    mAppearance.ShortTicksY = on;
    changed();
}
void ChartWidget::setTextAlignment(Qt::Alignment a) {
    mAppearance.TextAlignment = a & Qt::AlignHorizontal_Mask;
    changed();
}
void ChartWidget::setTextBkStyle(TextBackground s) {
    mAppearance.TextBkStyle = s;
    changed();
}

void ChartWidget::setMouseAction(MouseAction a) {
    cancelDrag();
    mMouseAction = a;
}

const CrossHair& ChartWidget::crossHair(int number) const {
    return mCrossHairs[number >= 1 && number <= 4 ? number - 1 : 0];
}

void ChartWidget::setCrossHair(int number, const CrossHair& c) {
    if (number < 1 || number > 4)
        return;
    mCrossHairs[static_cast<std::size_t>(number - 1)] = c;
    changed();
}

void ChartWidget::setCrossHairPos(int number, double x, double y) {
    if (number < 1 || number > 4)
        return;
    CrossHair& c = mCrossHairs[static_cast<std::size_t>(number - 1)];
    c.PosX = x;
    c.PosY = y;
    changed();
}

void ChartWidget::clearGraph() {
    mList.clear();
    update();
}

void ChartWidget::showGraph() {
    update();
}

void ChartWidget::moveTo(double x, double y) {
    mList.moveTo(x, y);
}
void ChartWidget::drawTo(double x, double y) {
    mList.drawTo(x, y);
}
void ChartWidget::line(double x1, double y1, double x2, double y2) {
    mList.line(x1, y1, x2, y2);
}
void ChartWidget::moveBy(int dx, int dy) {
    mList.moveBy(dx, dy);
}
void ChartWidget::drawBy(int dx, int dy) {
    mList.drawBy(dx, dy);
}
void ChartWidget::textAt(double x, double y, const QString& text, int fontSize) {
    mList.textAt(x, y, text, fontSize);
}
void ChartWidget::ellipseAt(double xc, double yc, double rx, double ry) {
    mList.ellipseAt(xc, yc, rx, ry);
}
void ChartWidget::setLegend(std::vector<LegendEntry> entries) {
    mAppearance.Legend = std::move(entries);
    changed();
}
void ChartWidget::drawSeries(std::shared_ptr<const ChartSeries> samples) {
    mList.series(std::move(samples));
}

QPoint ChartWidget::DataToPixel(double x, double y) const {
    return scale().DataToPixel(x, y);
}
QPointF ChartWidget::PixelToData(double px, double py) const {
    return scale().PixelToData(px, py);
}

double ChartWidget::screenDpi() const {
    const int dpi = logicalDpiY();
    return dpi > 0 ? dpi : 96.0;
}

void ChartWidget::paintPicture(QPainter& painter) const {
    paintChart(painter, scale(), mAppearance, mList, mCrossHairs, screenDpi());
}

QImage ChartWidget::toImage() const {
    QImage image(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.fill(mAppearance.BackgroundColor);
    QPainter painter(&image);
    paintPicture(painter);
    return image;
}

void ChartWidget::copyToClipboard(bool monochrome) const {
    QImage image = toImage();
    if (monochrome)
        image = image.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
    QGuiApplication::clipboard()->setImage(image);
}

QString ChartWidget::metafileName(const QString& name) {
    const QString suffix = QFileInfo(name).suffix();
    if (suffix.isEmpty())
        return name + QStringLiteral(".wmf");
    return name.left(name.size() - suffix.size()) + QStringLiteral("wmf");
}

bool ChartWidget::ExportMetafile(const QString& name) const {
    return saveChartAsMetafile(*this, metafileName(name));
}

void ChartWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintPicture(painter);
    if (mMouseAction == MouseAction::ZoomWindow && mDragStart) {
        // The rubber band belongs to the screen only, not to the chart's picture.
        painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(*mDragStart, mDragLast).normalized());
    }
}

void ChartWidget::resizeEvent(QResizeEvent* event) {
    syncSize();
    QWidget::resizeEvent(event);
}

void ChartWidget::cancelDrag() {
    if (mDragStart) {
        mDragStart.reset();
        update();
    }
}

void ChartWidget::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        cancelDrag();
        return;
    }
    if (event->button() != Qt::LeftButton || mMouseAction == MouseAction::None)
        return;
    mDragStart = pos;
    mDragLast = pos;
}

void ChartWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    syncSize();
    if (mDragStart && (event->buttons() & Qt::LeftButton)) {
        const QPoint delta = pos - mDragLast;
        switch (mMouseAction) {
        case MouseAction::Pan:
            if (!delta.isNull()) {
                mScale.panByPixels(delta.x(), delta.y());
                update();
                emit zoomedOrPanned(this);
            }
            break;
        case MouseAction::ZoomDrag:
            if (!delta.isNull()) {
                const double factor =
                    std::exp2(-(delta.x() - delta.y()) / kZoomDragPixelsPerHalving);
                mScale.zoomAboutPixel(*mDragStart, factor);
                update();
                emit zoomedOrPanned(this);
            }
            break;
        case MouseAction::ZoomWindow:
            update();
            break;
        case MouseAction::None:
            break;
        }
        mDragLast = pos;
    }
    const QPointF data = mScale.PixelToData(pos.x(), pos.y());
    const QRect plot = mScale.plotArea();
    const bool inChart = pos.x() >= plot.left() && pos.x() <= plot.left() + plot.width() &&
                         pos.y() >= plot.top() && pos.y() <= plot.top() + plot.height();
    if (mMouseAction == MouseAction::None && inChart) {
        bool moved = false;
        for (CrossHair& c : mCrossHairs) {
            if (c.FollowsMouse && c.Mode != CrossHairMode::Off) {
                c.PosX = data.x();
                c.PosY = data.y();
                moved = true;
            }
        }
        if (moved)
            update();
    }
    emit mouseMovedInChart(this, inChart, event->modifiers(), data.x(), data.y());
}

void ChartWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !mDragStart)
        return;
    const QPoint start = *mDragStart;
    mDragStart.reset();
    if (mMouseAction == MouseAction::ZoomWindow) {
        syncSize();
        const bool zoomed = mScale.zoomToPixelRect(start, event->position().toPoint());
        update();
        if (zoomed)
            emit zoomedOrPanned(this);
    }
}

void ChartWidget::zoomBy(double factor, QPointF aboutPixel) {
    syncSize();
    mScale.zoomAboutPixel(aboutPixel, factor);
    update();
    emit zoomedOrPanned(this);
}

void ChartWidget::wheelEvent(QWheelEvent* event) {
    // One notch is 120 eighths of a degree; touch pads send parts of notches.
    const double notches = event->angleDelta().y() / 120.0;
    if (notches == 0.0) {
        event->ignore();
        return;
    }
    zoomBy(std::pow(kZoomStep, notches), event->position());
    event->accept();
}

void ChartWidget::keyPressEvent(QKeyEvent* event) {
    const QRectF plot = scale().plotArea();
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        zoomBy(kZoomStep, plot.center());
        break;
    case Qt::Key_Minus:
        zoomBy(1.0 / kZoomStep, plot.center());
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

} // namespace quibel
