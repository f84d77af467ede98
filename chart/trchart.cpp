#include "chart/trchart.h"

#include "chart/chart_export.h"
#include "chart/chart_renderer.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace quibel {

namespace {
// Zoom rate of maZoomDrag: the ranges halve for every 100 pixels the mouse moves up or right.
constexpr double kZoomDragPixelsPerHalving = 100.0;
} // namespace

TRChart::TRChart(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(50, 50);
    syncSize();
}

TRChart::~TRChart() = default;

void TRChart::syncSize() const {
    if (mScale.width() != width() || mScale.height() != height())
        mScale.setSize(width(), height());
}

const ChartScale& TRChart::scale() const {
    syncSize();
    return mScale;
}

void TRChart::changed() {
    if (mAutoRedraw)
        update();
}

double TRChart::RangeLoX() const {
    return scale().RangeLoX();
}
double TRChart::RangeHiX() const {
    return scale().RangeHiX();
}
double TRChart::RangeLoY() const {
    return scale().RangeLoY();
}
double TRChart::RangeHiY() const {
    return scale().RangeHiY();
}

void TRChart::setRangeLoX(double v) {
    syncSize();
    mScale.setRangeLoX(v);
    changed();
}
void TRChart::setRangeHiX(double v) {
    syncSize();
    mScale.setRangeHiX(v);
    changed();
}
void TRChart::setRangeLoY(double v) {
    syncSize();
    mScale.setRangeLoY(v);
    changed();
}
void TRChart::setRangeHiY(double v) {
    syncSize();
    mScale.setRangeHiY(v);
    changed();
}
void TRChart::setMinRangeX(double v) {
    mScale.setMinRangeX(v);
    changed();
}
void TRChart::setMinRangeY(double v) {
    mScale.setMinRangeY(v);
    changed();
}
void TRChart::setIsometric(bool on) {
    syncSize();
    mScale.setIsometric(on);
    changed();
}

void TRChart::setIdAbscissa(const QString& s) {
    mAppearance.IdAbscissa = s;
    changed();
}
void TRChart::setIdOrdinate(const QString& s) {
    mAppearance.IdOrdinate = s;
    changed();
}
void TRChart::setCaption(const QString& s) {
    mAppearance.Caption = s;
    changed();
}

void TRChart::setRims(int l, int r, int t, int b) {
    syncSize();
    mScale.setRims(l, r, t, b);
    changed();
}
void TRChart::setLRim(int v) {
    setRims(v, RRim(), TRim(), BRim());
}
void TRChart::setRRim(int v) {
    setRims(LRim(), v, TRim(), BRim());
}
void TRChart::setTRim(int v) {
    setRims(LRim(), RRim(), v, BRim());
}
void TRChart::setBRim(int v) {
    setRims(LRim(), RRim(), TRim(), v);
}

void TRChart::setXAxisPos(TXAxisPos p) {
    mAppearance.XAxisPos = p;
    changed();
}
void TRChart::setYAxisPos(TYAxisPos p) {
    mAppearance.YAxisPos = p;
    changed();
}
void TRChart::setGridStyle(TGridStyle s) {
    mAppearance.GridStyle = s;
    changed();
}
void TRChart::setGridColor(const QColor& c) {
    mAppearance.GridColor = c;
    changed();
}
void TRChart::setBackgroundColor(const QColor& c) {
    mAppearance.BackgroundColor = c;
    changed();
}
void TRChart::setDecPlaceX(int n) {
    mAppearance.DecPlaceX = n;
    changed();
}
void TRChart::setDecPlaceY(int n) {
    mAppearance.DecPlaceY = n;
    changed();
}
void TRChart::setMinTickX(int n) {
    mAppearance.MinTickX = n;
    changed();
}
void TRChart::setMinTickY(int n) {
    mAppearance.MinTickY = n;
    changed();
}
void TRChart::setShortTicksX(bool on) {
    mAppearance.ShortTicksX = on;
    changed();
}
void TRChart::setShortTicksY(bool on) {
    mAppearance.ShortTicksY = on;
    changed();
}
void TRChart::setTextAlignment(Qt::Alignment a) {
    mAppearance.TextAlignment = a & Qt::AlignHorizontal_Mask;
    changed();
}
void TRChart::setTextBkStyle(TTextBkStyle s) {
    mAppearance.TextBkStyle = s;
    changed();
}

void TRChart::setMouseAction(TMouseAction a) {
    cancelDrag();
    mMouseAction = a;
}

const TCrossHair& TRChart::CrossHair(int number) const {
    return mCrossHairs[number >= 1 && number <= 4 ? number - 1 : 0];
}

void TRChart::setCrossHair(int number, const TCrossHair& c) {
    if (number < 1 || number > 4)
        return;
    mCrossHairs[static_cast<std::size_t>(number - 1)] = c;
    changed();
}

void TRChart::setCrossHairPos(int number, double x, double y) {
    if (number < 1 || number > 4)
        return;
    TCrossHair& c = mCrossHairs[static_cast<std::size_t>(number - 1)];
    c.PosX = x;
    c.PosY = y;
    changed();
}

void TRChart::ClearGraph() {
    mList.clear();
    update();
}

void TRChart::ShowGraph() {
    update();
}

void TRChart::MoveTo(double x, double y) {
    mList.moveTo(x, y);
}
void TRChart::DrawTo(double x, double y) {
    mList.drawTo(x, y);
}
void TRChart::Line(double x1, double y1, double x2, double y2) {
    mList.line(x1, y1, x2, y2);
}
void TRChart::MoveBy(int dx, int dy) {
    mList.moveBy(dx, dy);
}
void TRChart::DrawBy(int dx, int dy) {
    mList.drawBy(dx, dy);
}
void TRChart::TextAt(double x, double y, const QString& text, int fontSize) {
    mList.textAt(x, y, text, fontSize);
}
void TRChart::EllipseAt(double xc, double yc, double rx, double ry) {
    mList.ellipseAt(xc, yc, rx, ry);
}

QPoint TRChart::DataToPixel(double x, double y) const {
    return scale().DataToPixel(x, y);
}
QPointF TRChart::PixelToData(double px, double py) const {
    return scale().PixelToData(px, py);
}

double TRChart::screenDpi() const {
    const int dpi = logicalDpiY();
    return dpi > 0 ? dpi : 96.0;
}

void TRChart::paintPicture(QPainter& painter) const {
    paintChart(painter, scale(), mAppearance, mList, mCrossHairs, screenDpi());
}

QImage TRChart::toImage() const {
    QImage image(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.fill(mAppearance.BackgroundColor);
    QPainter painter(&image);
    paintPicture(painter);
    return image;
}

void TRChart::CopyToClipboard(bool monochrome) const {
    QImage image = toImage();
    if (monochrome)
        image = image.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
    QGuiApplication::clipboard()->setImage(image);
}

QString TRChart::metafileName(const QString& name) {
    const QString suffix = QFileInfo(name).suffix();
    if (suffix.isEmpty())
        return name + QStringLiteral(".wmf");
    return name.left(name.size() - suffix.size()) + QStringLiteral("wmf");
}

bool TRChart::ExportMetafile(const QString& name) const {
    return saveChartAsMetafile(*this, metafileName(name));
}

void TRChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintPicture(painter);
    if (mMouseAction == TMouseAction::maZoomWindPos && mDragStart) {
        // The rubber band belongs to the screen only, not to the chart's picture.
        painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(*mDragStart, mDragLast).normalized());
    }
}

void TRChart::resizeEvent(QResizeEvent* event) {
    syncSize();
    QWidget::resizeEvent(event);
}

void TRChart::cancelDrag() {
    if (mDragStart) {
        mDragStart.reset();
        update();
    }
}

void TRChart::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        cancelDrag();
        return;
    }
    if (event->button() != Qt::LeftButton || mMouseAction == TMouseAction::maNone)
        return;
    mDragStart = pos;
    mDragLast = pos;
}

void TRChart::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    syncSize();
    if (mDragStart && (event->buttons() & Qt::LeftButton)) {
        const QPoint delta = pos - mDragLast;
        switch (mMouseAction) {
        case TMouseAction::maPan:
            if (!delta.isNull()) {
                mScale.panByPixels(delta.x(), delta.y());
                update();
                emit OnZoomPan(this);
            }
            break;
        case TMouseAction::maZoomDrag:
            if (!delta.isNull()) {
                const double factor =
                    std::exp2(-(delta.x() - delta.y()) / kZoomDragPixelsPerHalving);
                mScale.zoomAboutPixel(*mDragStart, factor);
                update();
                emit OnZoomPan(this);
            }
            break;
        case TMouseAction::maZoomWindPos:
            update();
            break;
        case TMouseAction::maNone:
            break;
        }
        mDragLast = pos;
    }
    const QPointF data = mScale.PixelToData(pos.x(), pos.y());
    const QRect plot = mScale.plotArea();
    const bool inChart = pos.x() >= plot.left() && pos.x() <= plot.left() + plot.width() &&
                         pos.y() >= plot.top() && pos.y() <= plot.top() + plot.height();
    if (mMouseAction == TMouseAction::maNone && inChart) {
        bool moved = false;
        for (TCrossHair& c : mCrossHairs) {
            if (c.FollowsMouse && c.Mode != TCrossHairMode::chOff) {
                c.PosX = data.x();
                c.PosY = data.y();
                moved = true;
            }
        }
        if (moved)
            update();
    }
    emit OnMouseMoveInChart(this, inChart, event->modifiers(), data.x(), data.y());
}

void TRChart::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !mDragStart)
        return;
    const QPoint start = *mDragStart;
    mDragStart.reset();
    if (mMouseAction == TMouseAction::maZoomWindPos) {
        syncSize();
        const bool zoomed = mScale.zoomToPixelRect(start, event->position().toPoint());
        update();
        if (zoomed)
            emit OnZoomPan(this);
    }
}

} // namespace quibel
