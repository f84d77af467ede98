// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/chart_appearance.h"
#include "chart/chart_enums.h"
#include "chart/chart_scale.h"
#include "chart/cross_hair.h"
#include "chart/display_list.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <optional>

class QPainter;

namespace quibel {

/// The chart control of every plot and of the dam drawing: a plotting area with scales,
/// axis titles, caption, grid and four crosshairs, in which the program draws lines, texts and
/// ellipses in data coordinates. What is drawn is kept as a display list, so the chart repaints,
/// zooms, pans, copies itself to the clipboard and exports itself from it.
///
/// Plotting order: set the ranges (and the isometric mode), clearGraph, set the attributes,
/// add the elements, showGraph. With AutoRedraw set, every property change repaints at once;
/// otherwise the picture changes at showGraph (or when the window system asks for a repaint).
///
/// Mouse actions: MouseAction::None moves the crosshairs that follow the mouse; MouseAction::Pan
/// drags the ranges; MouseAction::ZoomWindow zooms to a rectangle dragged with the left button (the
/// right button cancels it); MouseAction::ZoomDrag zooms continuously, in when the mouse moves up
/// or right. In every mode the wheel zooms about the point under the mouse and the + and -
/// keys about the plot's centre (kZoomStep a notch or a key press). Each zoom or pan raises
/// zoomedOrPanned; every mouse move raises mouseMovedInChart.
class ChartWidget final : public QWidget {
    Q_OBJECT

public:
    explicit ChartWidget(QWidget* parent = nullptr);
    /// The ranges' scale factor of one wheel notch or key press toward the data.
    static constexpr double kZoomStep = 0.8;
    ~ChartWidget() override;

    // Visible ranges (data units); see ChartScale for the minimum-range and isometric rules.
    double RangeLoX() const;
    double RangeHiX() const;
    double RangeLoY() const;
    double RangeHiY() const;
    void setRangeLoX(double v);
    void setRangeHiX(double v);
    void setRangeLoY(double v);
    void setRangeHiY(double v);
    /// Both bounds of a range at once, so that the isometric rule never works from a bound
    /// of the previous picture (see ChartScale::setRangeX).
    void setRangeX(double lo, double hi);
    void setRangeY(double lo, double hi);
    double MinRangeX() const { return mScale.MinRangeX(); }
    double MinRangeY() const { return mScale.MinRangeY(); }
    void setMinRangeX(double v);
    void setMinRangeY(double v);
    bool Isometric() const { return mScale.Isometric(); }
    void setIsometric(bool on);

    QString IdAbscissa() const { return mAppearance.IdAbscissa; }
    void setIdAbscissa(const QString& s);
    QString IdOrdinate() const { return mAppearance.IdOrdinate; }
    void setIdOrdinate(const QString& s);
    QString Caption() const { return mAppearance.Caption; }
    void setCaption(const QString& s);

    // Attributes recorded by the elements added afterwards.
    QColor DataColor() const { return mList.dataColor(); }
    void setDataColor(const QColor& c) { mList.setDataColor(c); }
    QColor FillColor() const { return mList.fillColor(); }
    void setFillColor(const QColor& c) { mList.setFillColor(c); }
    Qt::PenStyle PenStyle() const { return mList.penStyle(); }
    void setPenStyle(Qt::PenStyle s) { mList.setPenStyle(s); }
    int LineWidth() const { return mList.lineWidth(); } ///< pixels
    void setLineWidth(int w) { mList.setLineWidth(w); }

    // Margins between the control's edge and the plotting area, pixels.
    int LRim() const { return mScale.LRim(); }
    int RRim() const { return mScale.RRim(); }
    int TRim() const { return mScale.TRim(); }
    int BRim() const { return mScale.BRim(); }
    void setLRim(int v);
    void setRRim(int v);
    void setTRim(int v);
    void setBRim(int v);

    XAxisPosition XAxisPos() const { return mAppearance.XAxisPos; }
    void setXAxisPos(XAxisPosition p);
    YAxisPosition YAxisPos() const { return mAppearance.YAxisPos; }
    void setYAxisPos(YAxisPosition p);
    GridStyle gridStyle() const { return mAppearance.Grid; }
    void setGridStyle(GridStyle s);
    QColor GridColor() const { return mAppearance.GridColor; }
    void setGridColor(const QColor& c);
    QColor BackgroundColor() const { return mAppearance.BackgroundColor; }
    void setBackgroundColor(const QColor& c);
    int DecPlaceX() const { return mAppearance.DecPlaceX; }
    void setDecPlaceX(int n);
    int DecPlaceY() const { return mAppearance.DecPlaceY; }
    void setDecPlaceY(int n);
    int MinTickX() const { return mAppearance.MinTickX; }
    void setMinTickX(int n);
    int MinTickY() const { return mAppearance.MinTickY; }
    void setMinTickY(int n);
    bool ShortTicksX() const { return mAppearance.ShortTicksX; }
    void setShortTicksX(bool on);
    bool ShortTicksY() const { return mAppearance.ShortTicksY; }
    void setShortTicksY(bool on);
    Qt::Alignment TextAlignment() const { return mAppearance.TextAlignment; }
    /// Qt::AlignLeft, Qt::AlignHCenter or Qt::AlignRight.
    void setTextAlignment(Qt::Alignment a);
    TextBackground TextBkStyle() const { return mAppearance.TextBkStyle; }
    const std::vector<LegendEntry>& legend() const { return mAppearance.Legend; }
    void setLegend(std::vector<LegendEntry> entries);
    void setTextBkStyle(TextBackground s);

    bool AutoRedraw() const { return mAutoRedraw; }
    void setAutoRedraw(bool on) { mAutoRedraw = on; }

    MouseAction mouseAction() const { return mMouseAction; }
    void setMouseAction(MouseAction a);

    /// Crosshair number 1..4 (other numbers give crosshair 1).
    const CrossHair& crossHair(int number) const;
    void setCrossHair(int number, const CrossHair& c);
    /// Moves crosshair number to (x, y), data.
    void setCrossHairPos(int number, double x, double y);

    /// Empties the display list and erases the plotting area.
    void clearGraph();
    /// Repaints axes, scales, titles, grid, crosshairs and the whole display list.
    void showGraph();
    void moveTo(double x, double y);
    void drawTo(double x, double y);
    void line(double x1, double y1, double x2, double y2);
    /// Pixels, y growing downward, from the pen's pixel position when painted.
    void moveBy(int dx, int dy);
    void drawBy(int dx, int dy);
    /// text is cut to 15 characters; fontSize in points.
    void textAt(double x, double y, const QString& text, int fontSize);
    void ellipseAt(double xc, double yc, double rx, double ry);
    /// Draws a whole series (see ChartSeries), sharing its samples.
    void drawSeries(std::shared_ptr<const ChartSeries> samples);

    /// Pixel of a data point, clamped to the 32-bit range.
    QPoint DataToPixel(double x, double y) const;
    /// Data point of a pixel.
    QPointF PixelToData(double px, double py) const;

    /// Places a bitmap of the chart as it is on screen (zoom included) on the clipboard;
    /// monochrome gives a black-and-white copy.
    void copyToClipboard(bool monochrome = false) const;
    /// Writes the chart as a Windows metafile of its size under name with the extension
    /// replaced by ".wmf". False when the file could not be written; no partial file is left.
    [[nodiscard]] bool ExportMetafile(const QString& name) const;
    /// name with its extension replaced by ".wmf" (appended when it has none).
    static QString metafileName(const QString& name);

    /// Paints the chart on painter in chart pixels, (0, 0) to (width(), height()). Every
    /// picture of the chart comes from here.
    void paintPicture(QPainter& painter) const;
    /// The chart as on screen, one image pixel per chart pixel.
    QImage toImage() const;
    /// The screen's pixel density the chart's points and metafile size refer to.
    double screenDpi() const;

    const DisplayList& displayList() const { return mList; }
    /// The ranges and pixel mapping for the chart's current size.
    const ChartScale& scale() const;
    const ChartAppearance& appearance() const { return mAppearance; }

signals:
    /// The mouse moved; InChart tells whether it is over the plotting area, and
    /// (rMousePosX, rMousePosY) are the data coordinates under it.
    void mouseMovedInChart(quibel::ChartWidget* sender, bool InChart, Qt::KeyboardModifiers Shift,
                           double rMousePosX, double rMousePosY);
    /// The user has zoomed or panned.
    void zoomedOrPanned(quibel::ChartWidget* sender);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void changed();
    void syncSize() const;
    void setRims(int l, int r, int t, int b);
    void cancelDrag();
    void zoomBy(double factor, QPointF aboutPixel);

    mutable ChartScale mScale;
    ChartAppearance mAppearance;
    DisplayList mList;
    std::array<CrossHair, 4> mCrossHairs{};
    bool mAutoRedraw = false;
    MouseAction mMouseAction = MouseAction::None;

    std::optional<QPoint> mDragStart; ///< left button pressed here
    QPoint mDragLast;                 ///< last mouse position of the drag
};

} // namespace quibel
